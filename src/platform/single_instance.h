// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

// One running Velmora per user. The first start holds a lock file for its whole life and
// listens on a local socket; a later start finds the lock taken, asks the first to show its
// panel and ends. A lock left by a crashed run belongs to a dead process and is taken over.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Role { primary, secondary };

    // `key` names the lock and the socket; it includes the user id.
    explicit SingleInstance(const QString& key = defaultKey(), QObject* parent = nullptr);
    ~SingleInstance() override;

    Role claim();

    static QString defaultKey();

signals:
    // A later start asked this one to show its panel.
    void reopenRequested();

private:
    bool notifyPrimary();

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
