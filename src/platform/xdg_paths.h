// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the program keeps its files in a user's home, after the XDG base directory rules.
namespace XdgPaths {

// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
QString configHome();
// The file QSettings("Velmora", "Velmora") would use: $XDG_CONFIG_HOME/Velmora/Velmora.conf
QString settingsFile();
// $XDG_CONFIG_HOME/autostart/velmora.desktop
QString autostartEntry();

} // namespace XdgPaths
