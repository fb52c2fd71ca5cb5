// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/crash_log.h"
#include "log/log.h"
#include "platform/autostart_entry.h"
#include "platform/graphical_session.h"
#include "platform/single_instance.h"
#include "platform/system_clipboard.h"
#include "platform/xdg_paths.h"
#include "rates/feed_config.h"
#include "shell/app_delegate.h"
#include "shell/command_line.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstdio>

namespace {

AppDelegate::Options programOptions(bool launchedAtLogin) {
    const SettingsStore settings(XdgPaths::settingsFile(), &Log::write);
    const AutostartEntry autostart(XdgPaths::autostartEntry(),
                                   QCoreApplication::applicationFilePath());

    AppDelegate::Options options;
    options.store.feeds = FeedConfig::fromBuild();
    options.store.settings = settings;
    options.model.settings = settings;
    options.model.log = &Log::write;
    options.model.clipboardText = &SystemClipboard::text;
    options.model.setClipboardText = &SystemClipboard::setText;
    options.model.loginItemRegistered = [autostart] { return autostart.isRegistered(); };
    options.model.registerLoginItem = [autostart](bool on) { return autostart.setRegistered(on); };
    options.log = &Log::write;
    options.launchedAtLogin = launchedAtLogin;
    options.version = QStringLiteral(VELMORA_VERSION);
    options.quit = [] { QCoreApplication::quit(); };
    return options;
}

} // namespace

int main(int argc, char** argv) {
    // Everything that needs no display comes first, and nothing of it is a crash.
    const CommandLine::Request request = CommandLine::parse(argc, argv);
    switch (request.action) {
    case CommandLine::Request::Action::help:
        std::fputs(CommandLine::usage().c_str(), stdout);
        return 0;
    case CommandLine::Request::Action::version:
        std::puts("velmora " VELMORA_VERSION);
        return 0;
    case CommandLine::Request::Action::error:
        std::fprintf(stderr, "velmora: unbekannte Option \u00BB%s\u00AB\n%s",
                     request.unknown.c_str(), CommandLine::usage().c_str());
        return 2;
    case CommandLine::Request::Action::run:
        break;
    }

    // Wayland does not let a program place its own windows; under XWayland the panel opens
    // where it should. A platform the user chose explicitly is left alone.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && GraphicalSession::wayland() &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    if (!GraphicalSession::reachable()) {
        std::fputs("velmora: braucht eine grafische Sitzung (X11 oder Wayland mit XWayland)\n",
                   stderr);
        return 1;
    }
    CrashLog::install();

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    // One style everywhere, so that the theme's palette decides how the check box looks.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    SingleInstance instance;
    const SingleInstance::Claim claim = instance.claim();
    if (claim.fault)
        Log::write(*claim.fault);
    if (claim.role == SingleInstance::Role::secondary)
        return 0;
    if (claim.role == SingleInstance::Role::failed) {
        std::fprintf(stderr, "velmora: %s\n", qUtf8Printable(claim.fault.value_or(QString())));
        return 1;
    }

    AppDelegate delegate(programOptions(request.launchedAtLogin));
    QObject::connect(&instance, &SingleInstance::reopenRequested, &delegate,
                     [&delegate] { delegate.showPanel(QStringLiteral("erneut ge\u00F6ffnet")); });
    delegate.start();
    return app.exec();
}
