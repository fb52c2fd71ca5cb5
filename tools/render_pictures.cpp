// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the panel in each built-in theme into PNG files, with sample rates and a sample
// calculation, using the program's own widgets on Qt's offscreen platform:
//   velmora_pictures OUTPUT_FOLDER
// The rates come from a cached record, as at a start without network, so the pictures are the
// same on every run and need no server.
#include "app/app_model.h"
#include "rates/rate_store.h"
#include "support/sample_data.h"
#include "ui/panel_view.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cstdio>

namespace {

// A December morning.
const QDateTime sampleNow(QDate(2026, 12, 9), QTime(9, 5));

// The tests' sample rates, fetched a few minutes before the pictures' "now".
RateInfo pictureRates() {
    RateInfo info = sampleRecord();
    info.rateDate = QStringLiteral("2026-12-09");
    info.fetchedAt = Timestamps::fromDateTime(sampleNow.addSecs(-180));
    info.quotedAt =
        Timestamps::fromDateTime(QDateTime(QDate(2026, 12, 9), QTime(0, 0, 1), QTimeZone::utc()));
    return info;
}

bool renderThemes(PanelView& panel, AppModel& model, const QString& output) {
    const qreal ratio = 2.0;
    for (const Theme& theme : Theme::all()) {
        model.setTheme(theme);
        QCoreApplication::processEvents();
        QImage image(panel.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        panel.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QString file = output + QStringLiteral("/panel-%1.png").arg(theme.id);
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_pictures OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);

    QTemporaryDir home;
    const SettingsStore settings(home.path() + QStringLiteral("/Velmora.conf"));
    settings.setCachedRates(pictureRates().toJson());
    RateStore::Options storeOptions;
    storeOptions.settings = settings;
    storeOptions.refreshesByItself = false;
    RateStore store(storeOptions);

    AppModel::Options modelOptions;
    modelOptions.settings = settings;
    modelOptions.clock = [] { return sampleNow; };
    AppModel model(store, modelOptions);
    model.setActive(Currency::usd, true);
    model.setActive(Currency::pln, true);
    for (CalcKey key : {CalcKey::digit1, CalcKey::digit2, CalcKey::comma, CalcKey::digit5,
                        CalcKey::times, CalcKey::digit3})
        model.press(key);

    PanelView panel(model, store);
    panel.resize(panel.sizeHint());
    panel.show();
    QCoreApplication::processEvents();
    return renderThemes(panel, model, output) ? 0 : 1;
}
