#pragma once

#include <QString>

// Where the user's settings and the rate cache live: $XDG_CONFIG_HOME/Velmora/Velmora.conf,
// the file QSettings("Velmora", "Velmora") uses. Everything that reads or writes settings gets
// this path handed in, so tests can point it at a folder of their own.
namespace SettingsFile {

QString defaultPath();
// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
QString configHome();

} // namespace SettingsFile
