// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"
#include "support/qt_printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

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
    const SingleInstance::Claim primary = first.claim();
    ASSERT_EQ(primary.role, SingleInstance::Role::primary);
    EXPECT_EQ(primary.fault, std::nullopt);

    SingleInstance second(key);
    const SingleInstance::Claim secondary = second.claim();
    EXPECT_EQ(secondary.role, SingleInstance::Role::secondary);
    EXPECT_EQ(secondary.fault, std::nullopt);
    EXPECT_TRUE(QTest::qWaitFor([&reopened] { return reopened.count() == 1; }, 3000));
}

// Each fault is said, and only a start that has neither the lock nor the running program fails.
// A later start gets no patience here: nothing would ever answer it.
TEST(SingleInstance, FaultsAreSaidAndOnlyAStartWithNothingToRunFails) {
    struct Row {
        const char* name;
        QString key;
        bool holdLock; // as a run that never listens would
        SingleInstance::Role role;
        const char* said;
    };
    // Past the 107 bytes a socket's name may have, wherever the runtime folder is.
    const QString tooLong = uniqueKey() + QString(110, QLatin1Char('x'));
    const Row rows[] = {
        {"lock held by a run that does not answer", uniqueKey(), true, SingleInstance::Role::failed,
         "Laufendes Velmora nicht erreicht: "},
        {"lock folder missing", "missing/" + uniqueKey(), false, SingleInstance::Role::failed,
         "Sperrdatei nicht angelegt: "},
        {"socket name too long", tooLong, false, SingleInstance::Role::primary,
         "Weitere Starts erreichen dieses Velmora nicht: "},
        // The lock is the previous row's.
        {"after a run that could not listen", tooLong, false, SingleInstance::Role::failed,
         "Laufendes Velmora nicht erreicht: "},
    };
    std::unique_ptr<SingleInstance> deaf;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QLockFile held(lockPath(row.key));
        if (row.holdLock) {
            ASSERT_TRUE(held.tryLock(0));
        }
        auto instance = std::make_unique<SingleInstance>(row.key, 0);
        const SingleInstance::Claim claim = instance->claim();
        EXPECT_EQ(claim.role, row.role);
        ASSERT_TRUE(claim.fault.has_value());
        EXPECT_TRUE(claim.fault->startsWith(row.said)) << claim.fault->toStdString();
        EXPECT_GT(claim.fault->size(), qsizetype(qstrlen(row.said))) << "no reason given";
        if (claim.role == SingleInstance::Role::primary)
            deaf = std::move(instance); // keeps its lock for the next row
    }
}

TEST(SingleInstance, LockOfACrashedRunIsTakenOver) {
    const QString key = uniqueKey();
    // What a killed instance leaves: a lock naming a process that no longer runs.
    QFile stale(lockPath(key));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("2147480000\nvelmora\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();

    SingleInstance next(key);
    EXPECT_EQ(next.claim().role, SingleInstance::Role::primary);
}

} // namespace
