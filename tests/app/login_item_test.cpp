#include "app/login_item.h"
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

TEST(LoginItem, ExecLineRoundTripsAwkwardPaths) {
    for (const char* program : {"/usr/bin/velmora", "/opt/My Apps/velmora", "/tmp/a\"b$c`d\\e",
                                "/home/u/100%/velmora", "/home/jörg/velmora"}) {
        const QString path = QString::fromUtf8(program);
        const QByteArray entry = LoginItem::desktopEntry(path);
        EXPECT_TRUE(entry.contains("--autostart")) << program;
        EXPECT_EQ(LoginItem::execProgram(entry), path) << entry.toStdString();
    }
}

TEST(LoginItem, RegistrationIsReadBackFromTheFile) {
    QTemporaryDir dir;
    const QString entry = dir.path() + "/autostart/velmora.desktop";
    const QString program = dir.path() + "/bin/velmora";

    EXPECT_FALSE(LoginItem::isRegistered(entry, program));
    EXPECT_TRUE(LoginItem::registerProgram(entry, program));
    EXPECT_TRUE(LoginItem::isRegistered(entry, program));
    EXPECT_FALSE(LoginItem::isRegistered(entry, "/usr/bin/other"));
    EXPECT_TRUE(LoginItem::unregisterProgram(entry));
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_TRUE(LoginItem::unregisterProgram(entry)); // nothing to remove is no failure
}

TEST(LoginItem, EntriesThatDoNotStartThisProgram) {
    QTemporaryDir dir;
    const QString entry = dir.path() + "/velmora.desktop";
    const QString program = "/usr/bin/velmora";
    const std::pair<QByteArray, bool> rows[] = {
        {LoginItem::desktopEntry(program), true},
        {LoginItem::desktopEntry(program) + "Hidden=true\n", false},
        {LoginItem::desktopEntry(program).replace("X-GNOME-Autostart-enabled=true", "X-GNOME-Autostart-enabled=false"), false},
        {"[Desktop Entry]\nExec=/usr/bin/velmora --autostart\n", true},
        {"[Desktop Entry]\nExec=\"/usr/bin/velmora\n", false}, // unterminated quote
        {"[Other]\nExec=/usr/bin/velmora\n", false},
        {"[Desktop Entry]\nName=Velmora\n", false},
        {"\x00\xff\xfe garbage", false},
        {"", false},
    };
    for (const auto& [text, registered] : rows) {
        writeFile(entry, text);
        EXPECT_EQ(LoginItem::isRegistered(entry, program), registered) << text.toStdString();
    }
}

TEST(LoginItem, UnwritableFolderLeavesItUnregistered) {
    QTemporaryDir dir;
    // A file where the folder should be stops even root from creating the entry.
    writeFile(dir.path() + "/autostart", "not a folder");
    const QString entry = dir.path() + "/autostart/velmora.desktop";
    EXPECT_FALSE(LoginItem::registerProgram(entry, "/usr/bin/velmora"));
    EXPECT_FALSE(LoginItem::isRegistered(entry, "/usr/bin/velmora"));
}

} // namespace
