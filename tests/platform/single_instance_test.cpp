// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"
#include "support/qt_printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString uniqueKey() {
    return QStringLiteral("velmora-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(std::rand());
}

QString lockPath(const QString& key) {
    return qEnvironmentVariable("XDG_RUNTIME_DIR") + "/" + key + ".lock";
}

TEST(SingleInstance, SecondClaimAsksTheFirstToShowItself) {
    const QString key = uniqueKey();
    SingleInstance first(key);
    QSignalSpy reopened(&first, &SingleInstance::reopenRequested);
    ASSERT_EQ(first.claim(), SingleInstance::Role::primary);

    SingleInstance second(key);
    EXPECT_EQ(second.claim(), SingleInstance::Role::secondary);
    EXPECT_TRUE(QTest::qWaitFor([&reopened] { return reopened.count() == 1; }, 3000));
}

TEST(SingleInstance, LockOfACrashedRunIsTakenOver) {
    const QString key = uniqueKey();
    // What a killed instance leaves: a lock naming a process that no longer runs.
    QFile stale(lockPath(key));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147480000\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstance next(key);
    EXPECT_EQ(next.claim(), SingleInstance::Role::primary);
}

} // namespace
