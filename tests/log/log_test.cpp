// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/log.h"
#include "support/qt_printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QDateTime at(QDate(2026, 12, 8), QTime(14, 3, 27));

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LogTest : public testing::Test {
protected:
    QString path() const { return m_dir.path() + "/state/Velmora.log"; }
    QTemporaryDir m_dir;
};

TEST_F(LogTest, FirstEntryCreatesFolderAndFile) {
    Log::writeTo(path(), QStringLiteral("Start, Version 0.1.0, beim Anmelden: false"), at);
    EXPECT_EQ(contents(path()), "08.12. 14:03:27  Start, Version 0.1.0, beim Anmelden: false\n");
    EXPECT_EQ(QFile::permissions(m_dir.path() + "/state") & 0x0077, 0); // nobody else may look
}

TEST_F(LogTest, EntriesKeepTheirOrderAndLineBreaks) {
    Log::writeTo(path(), QStringLiteral("eins"), at);
    Log::writeTo(path(), QStringLiteral("zwei\n"), at);
    Log::writeTo(path(), QStringLiteral("drei\nvier"), at);
    Log::writeTo(path(), QStringLiteral("K\u00F6ln \u20AC"), at.addSecs(33));
    EXPECT_EQ(contents(path()), "08.12. 14:03:27  eins\n"
                                "08.12. 14:03:27  zwei\n\n"
                                "08.12. 14:03:27  drei\nvier\n"
                                "08.12. 14:04:00  K\xC3\xB6ln \xE2\x82\xAC\n");
}

TEST_F(LogTest, SizeBound) {
    QDir().mkpath(QFileInfo(path()).absolutePath());
    const QByteArray entry = "08.12. 14:03:27  neu\n";
    for (const auto& [size, keeps] :
         {std::pair{Log::maxBytes, true}, std::pair{Log::maxBytes + 1, false}}) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(size, 'x'));
        file.close();
        Log::writeTo(path(), QStringLiteral("neu"), at);
        const QByteArray text = contents(path());
        if (keeps) {
            EXPECT_EQ(text.size(), size + entry.size());
            EXPECT_TRUE(text.endsWith(entry));
        } else {
            EXPECT_EQ(text, entry);
        }
    }
}

TEST_F(LogTest, UnwritablePlacesAreSwallowed) {
    // The log path is a folder: nothing can be written, nothing breaks.
    QDir().mkpath(path());
    Log::writeTo(path(), QStringLiteral("verloren"), at);
    EXPECT_TRUE(QFileInfo(path()).isDir());

    // The log folder is a file: the same.
    const QString blocked = m_dir.path() + "/file/Velmora.log";
    QFile blocker(m_dir.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Log::writeTo(blocked, QStringLiteral("verloren"), at);
    EXPECT_FALSE(QFile::exists(blocked));
}

TEST(LogPath, FollowsTheStateFolder) {
    // The test program's own XDG_STATE_HOME is a temporary folder.
    const QByteArray own = qgetenv("XDG_STATE_HOME");
    const QString fallback = QDir::homePath() + "/.local/state/Velmora.log";
    struct Row {
        const char* value; // nullptr: unset
        QString expected;
    };
    const Row rows[] = {
        {own.constData(), QString::fromLocal8Bit(own) + "/Velmora.log"},
        {nullptr, fallback},
        {"", fallback},
        {"state", fallback}, // relative: the rule ignores it
        {"./state", fallback},
        {"/var/tmp/zustand", "/var/tmp/zustand/Velmora.log"},
    };
    for (const Row& row : rows) {
        if (row.value)
            qputenv("XDG_STATE_HOME", row.value);
        else
            qunsetenv("XDG_STATE_HOME");
        EXPECT_EQ(Log::defaultPath(), row.expected) << (row.value ? row.value : "(unset)");
    }
    qputenv("XDG_STATE_HOME", own);
    Log::write(QStringLiteral("aus dem Test"));
    EXPECT_TRUE(contents(Log::defaultPath()).endsWith("  aus dem Test\n"));
}

TEST(LogStamp, LocalTwentyFourHourClock) {
    EXPECT_EQ(Log::stamp(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))), "02.01. 03:04:05");
    EXPECT_EQ(Log::stamp(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59))), "31.12. 23:59:59");
}

} // namespace
