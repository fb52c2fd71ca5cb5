// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/autostart_entry.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TEST(AutostartEntry, ExecLineRoundTripsAwkwardPaths) {
    for (const char* program : {"/usr/bin/velmora", "/opt/My Apps/velmora", "/tmp/a\"b$c`d\\e",
                                "/home/u/100%/velmora", "/home/jörg/velmora"}) {
        const QString path = QString::fromUtf8(program);
        const QByteArray entry = AutostartEntry::desktopEntry(path);
        EXPECT_TRUE(entry.contains("--autostart")) << program;
        EXPECT_EQ(AutostartEntry::execProgram(entry), path) << entry.toStdString();
    }
}

TEST(AutostartEntry, RegistrationIsReadBackFromTheFile) {
    QTemporaryDir dir;
    const QString entry = dir.path() + "/autostart/velmora.desktop";
    const AutostartEntry autostart(entry, dir.path() + "/bin/velmora");

    EXPECT_FALSE(autostart.isRegistered());
    EXPECT_TRUE(autostart.setRegistered(true));
    EXPECT_TRUE(autostart.isRegistered());
    EXPECT_FALSE(AutostartEntry(entry, "/usr/bin/other").isRegistered());
    EXPECT_TRUE(autostart.setRegistered(false));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(autostart.setRegistered(false)); // nothing to remove is no failure
}

TEST(AutostartEntry, EntriesThatDoNotStartThisProgram) {
    QTemporaryDir dir;
    const QString entry = dir.path() + "/velmora.desktop";
    const QString program = "/usr/bin/velmora";
    const AutostartEntry autostart(entry, program);
    const std::pair<QByteArray, bool> rows[] = {
        {AutostartEntry::desktopEntry(program), true},
        {AutostartEntry::desktopEntry(program) + "Hidden=true\n", false},
        {AutostartEntry::desktopEntry(program).replace("X-GNOME-Autostart-enabled=true",
                                                       "X-GNOME-Autostart-enabled=false"),
         false},
        {"[Desktop Entry]\nExec=/usr/bin/velmora --autostart\n", true},
        {"[Desktop Entry]\nExec=\"/usr/bin/velmora\n", false}, // unterminated quote
        {"[Other]\nExec=/usr/bin/velmora\n", false},
        {"[Desktop Entry]\nName=Velmora\n", false},
        {"\x00\xff\xfe garbage", false},
        {"", false},
    };
    for (const auto& [text, registered] : rows) {
        writeFile(entry, text);
        EXPECT_EQ(autostart.isRegistered(), registered) << text.toStdString();
    }
}

TEST(AutostartEntry, UnwritableFolderLeavesItUnregistered) {
    QTemporaryDir dir;
    // A file where the folder should be stops even root from creating the entry.
    writeFile(dir.path() + "/autostart", "not a folder");
    const AutostartEntry autostart(dir.path() + "/autostart/velmora.desktop", "/usr/bin/velmora");
    EXPECT_FALSE(autostart.setRegistered(true));
    EXPECT_FALSE(autostart.isRegistered());
}

} // namespace
