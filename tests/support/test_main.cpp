// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#if defined(VELMORA_TEST_WIDGETS)
#include <QApplication>
#elif defined(VELMORA_TEST_GUI)
#include <QGuiApplication>
#endif
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs inside the Qt application object it needs, with a home and XDG folders of
// its own, so that no test ever reads or writes the settings, cache or log of the person running
// it.
int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QByteArray root = home.path().toLocal8Bit();
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_STATE_HOME", (root + "/state").constData(), 1);
    setenv("XDG_CACHE_HOME", (root + "/cache").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").constData(), 1);
    // No session bus: nothing a test does may reach the desktop the tests run on. Tests that
    // need one run inside a private bus of their own (dbus-run-session).
#if !defined(VELMORA_TEST_SESSION_BUS)
    setenv("DBUS_SESSION_BUS_ADDRESS", (root + "/no-bus").constData(), 1);
#endif

    for (const char* sub : {"/config", "/state", "/cache", "/data", "/runtime"})
        QDir().mkpath(home.path() + QLatin1String(sub));
    QFile::setPermissions(home.path() + QLatin1String("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

#if defined(VELMORA_TEST_WIDGETS) || defined(VELMORA_TEST_GUI)
    // No display needed: the offscreen platform has an in-process clipboard and renders to memory.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
#endif
#if defined(VELMORA_TEST_WIDGETS)
    QApplication app(argc, argv);
#elif defined(VELMORA_TEST_GUI)
    QGuiApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
