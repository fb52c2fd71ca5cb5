#include "model/settings_file.h"
#include "app/login_item.h"
#include "rates/feed_config.h"
#include "shell/app_delegate.h"
#include "shell/crash_log.h"
#include "shell/log.h"
#include "shell/single_instance.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstring>

int main(int argc, char** argv) {
    CrashLog::install();

    // --autostart is the one argument the program knows: it was started at login.
    bool launchedAtLogin = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--autostart") == 0)
            launchedAtLogin = true;
    }

    // Wayland does not let a program place its own windows; under XWayland the panel opens
    // where it should. A platform the user chose explicitly is left alone.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    // One style everywhere, so that the theme's palette decides how the check box looks.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    SingleInstance instance;
    if (instance.claim() == SingleInstance::Role::secondary)
        return 0;

    AppDelegate::Options options;
    options.store.feeds = FeedConfig::fromBuild();
    options.store.settingsPath = SettingsFile::defaultPath();
    options.model.settingsPath = options.store.settingsPath;
    options.model.autostartPath = LoginItem::defaultEntryPath();
    options.model.executablePath = QCoreApplication::applicationFilePath();
    options.model.log = &Log::write;
    options.log = &Log::write;
    options.launchedAtLogin = launchedAtLogin;
    options.version = QStringLiteral(VELMORA_VERSION);
    options.quit = [] { QCoreApplication::quit(); };

    AppDelegate delegate(options);
    instance.onReopen = [&delegate] { delegate.showPanel(QStringLiteral("erneut ge\u00F6ffnet")); };
    delegate.start();
    return app.exec();
}
