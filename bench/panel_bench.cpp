// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the whole panel after a key press, offscreen: the model change, every view's
// refresh and a finished paint into an image. Run with --benchmark_repetitions for a median.
#include "app/app_model.h"
#include "rates/rate_store.h"
#include "support/sample_data.h"
#include "ui/panel_view.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Fixture {
    QTemporaryDir home;
    std::unique_ptr<RateStore> store;
    std::unique_ptr<AppModel> model;
    std::unique_ptr<PanelView> panel;

    Fixture() {
        const SettingsStore settings(home.path() + "/Velmora.conf");
        settings.setCachedRates(sampleRecord().toJson());
        RateStore::Options storeOptions;
        storeOptions.settings = settings;
        storeOptions.refreshesByItself = false; // no network traffic in the measured loop
        store = std::make_unique<RateStore>(storeOptions);
        AppModel::Options options;
        options.settings = settings;
        model = std::make_unique<AppModel>(*store, options);
        model->setActive(Currency::usd, true);
        model->setActive(Currency::pln, true);
        for (CalcKey key :
             {CalcKey::digit1, CalcKey::digit2, CalcKey::comma, CalcKey::digit5, CalcKey::times})
            model->press(key);
        panel = std::make_unique<PanelView>(*model, *store);
        panel->show();
        QCoreApplication::processEvents();
    }
};

Fixture* g_fixture = nullptr; // lives inside main(), within the application's lifetime

void BM_PanelAfterKeyPress(benchmark::State& state) {
    Fixture& f = *g_fixture;
    QImage image(f.panel->size(), QImage::Format_ARGB32_Premultiplied);
    bool grow = true;
    for (auto _ : state) {
        f.model->press(grow ? CalcKey::digit3 : CalcKey::backspace);
        grow = !grow;
        image.fill(Qt::transparent);
        f.panel->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PanelAfterKeyPress)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
