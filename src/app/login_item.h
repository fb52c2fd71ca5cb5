#pragma once

#include <QString>

#include <optional>

// Starting at login through an XDG autostart entry. Registered means the entry exists, is not
// hidden or disabled, and its Exec line starts this very program.
namespace LoginItem {

// $XDG_CONFIG_HOME/autostart/velmora.desktop
QString defaultEntryPath();

bool isRegistered(const QString& entryPath, const QString& executable);
// Both report success; callers read the state back with isRegistered either way.
bool registerProgram(const QString& entryPath, const QString& executable);
bool unregisterProgram(const QString& entryPath);

// The entry's text, starting `executable` with the single argument --autostart.
QByteArray desktopEntry(const QString& executable);
// The program an entry's Exec line starts, unquoted; nothing if there is no usable Exec line.
std::optional<QString> execProgram(const QByteArray& entry);

} // namespace LoginItem
