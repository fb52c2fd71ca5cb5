// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>

// Starting at login through an XDG autostart entry. Registered means the entry exists, is not
// hidden or disabled, and its Exec line starts this very program.
class AutostartEntry final {
public:
    AutostartEntry(QString entryPath, QString executable)
        : m_entryPath(std::move(entryPath))
        , m_executable(std::move(executable)) {}

    bool isRegistered() const;
    // Writes the entry (atomically) or deletes it; what went wrong, or nothing when it worked.
    // Removing an entry that is not there is no failure.
    std::optional<QString> setRegistered(bool on) const;

    // The entry's text, starting `executable` with the single argument --autostart.
    static QByteArray desktopEntry(const QString& executable);
    // The program an entry's Exec line starts, unquoted; nothing if there is no usable Exec line.
    static std::optional<QString> execProgram(const QByteArray& entry);

private:
    QString m_entryPath;
    QString m_executable;
};
