// Renders the whole panel after a key press, offscreen: the model change, every view's
// refresh and a finished paint into an image. Run with --benchmark_repetitions for a median.
#include "app/app_model.h"
#include "rates/rate_store.h"
#include "ui/panel_view.h"

#include <QApplication>
#include <QImage>
#include <QSettings>
#include <QTcpServer>
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
        const QString settings = home.path() + "/Velmora.conf";
        RateInfo info;
        info.perEur = {{"USD", 1.0842}, {"THB", 38.1236}, {"PLN", 4.2678}};
        info.rateDate = "2026-12-08";
        info.source = QStringLiteral("FloatRates");
        {
            QSettings s(settings, QSettings::IniFormat);
            s.setValue(RateStore::cacheKey, info.toJson());
        }
        QTcpServer probe; // a port nobody listens on: the refresh fails fast and stays out of the way
        probe.listen(QHostAddress::LocalHost, 0);
        RateStore::Options storeOptions;
        storeOptions.feeds.primaryBase = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        storeOptions.feeds.fallbackBase = storeOptions.feeds.primaryBase;
        storeOptions.settingsPath = settings;
        probe.close();
        store = std::make_unique<RateStore>(storeOptions);
        AppModel::Options options;
        options.settingsPath = settings;
        options.autostartPath = home.path() + "/autostart/velmora.desktop";
        model = std::make_unique<AppModel>(*store, options);
        model->setActive(Currency::usd, true);
        model->setActive(Currency::pln, true);
        for (const char* key : {"1", "2", ",", "5", "\u00D7"})
            model->press(QString::fromUtf8(key));
        panel = std::make_unique<PanelView>(*model, *store);
        panel->show();
        while (store->isLoading())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::processEvents();
    }
};

Fixture* g_fixture = nullptr; // lives inside main(), within the application's lifetime

void BM_PanelAfterKeyPress(benchmark::State& state) {
    Fixture& f = *g_fixture;
    QImage image(f.panel->size(), QImage::Format_ARGB32_Premultiplied);
    bool grow = true;
    for (auto _ : state) {
        f.model->press(grow ? QStringLiteral("3") : QStringLiteral("\u232B"));
        grow = !grow;
        image.fill(Qt::transparent);
        f.panel->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PanelAfterKeyPress)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

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
