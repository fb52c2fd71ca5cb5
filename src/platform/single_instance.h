// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QLocalServer;

// One running Velmora per user. The first start holds a lock file for its whole life and
// listens on a local socket; a later start finds the lock taken, asks the first to show its
// panel and ends. A lock left by a crashed run belongs to a dead process and is taken over.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    // `failed`: neither the lock nor the running program could be had; the start is over.
    enum class Role { primary, secondary, failed };

    struct Claim {
        Role role;
        // What went wrong on the way, for the log; a primary may run with one.
        std::optional<QString> fault;
    };

    // How long a later start keeps trying the first, which may have taken the lock an instant
    // ago and not be listening yet.
    static constexpr int defaultPatienceMs = 3000;

    // `key` names the lock and the socket; it includes the user id.
    explicit SingleInstance(const QString& key = defaultKey(), int patienceMs = defaultPatienceMs,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim();

    static QString defaultKey();

signals:
    // A later start asked this one to show its panel.
    void reopenRequested();

private:
    // The reason the running program could not be reached; nothing once it was asked.
    std::optional<QString> notifyPrimary();

    QString m_key;
    int m_patienceMs;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
