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
    EXPECT_EQ(autostart.setRegistered(true), std::nullopt);
    EXPECT_TRUE(autostart.isRegistered());
    EXPECT_FALSE(AutostartEntry(entry, "/usr/bin/other").isRegistered());
    EXPECT_EQ(autostart.setRegistered(false), std::nullopt);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_EQ(autostart.setRegistered(false), std::nullopt); // nothing to remove is no failure
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

// Each stops root as well, unlike a folder without write permission.
TEST(AutostartEntry, FailuresSayWhatWentWrongAndLeaveItUnregistered) {
    struct Row {
        const char* name;
        QString blocker; // a file, or a folder when it ends in a slash
        bool on;
        const char* why; // what the reason must say, where it is ours rather than the system's
    };
    const Row rows[] = {
        {"a file where the folder should be", "autostart", true, "Ordner"},
        {"a folder where the entry should be", "autostart/velmora.desktop/", true, nullptr},
        {"a folder that cannot be removed", "autostart/velmora.desktop/inside/", false, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString entry = dir.path() + "/autostart/velmora.desktop";
        if (row.blocker.endsWith('/')) {
            ASSERT_TRUE(QDir().mkpath(dir.path() + "/" + row.blocker));
        } else {
            writeFile(dir.path() + "/" + row.blocker, "not a folder");
        }
        const AutostartEntry autostart(entry, "/usr/bin/velmora");
        const auto failure = autostart.setRegistered(row.on);
        ASSERT_TRUE(failure.has_value());
        EXPECT_TRUE(failure->startsWith(entry + ": ")) << failure->toStdString();
        if (row.why) {
            EXPECT_TRUE(failure->contains(row.why)) << failure->toStdString();
        }
        EXPECT_GT(failure->size(), entry.size() + 2) << "no reason given";
        EXPECT_FALSE(autostart.isRegistered());
    }
}

} // namespace
