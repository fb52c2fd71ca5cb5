// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// What a screen reader finds in the panel. Qt's accessibility layer (AT-SPI on Linux) is told
// what the panel's own widgets are: text lines are labels with their full text, buttons say
// whether they are toggles and whether they are on, groups carry names. Layout-only containers
// are left out and their children shown in their place; decoration is left out altogether.
namespace Accessibility {

// Registers the interfaces of the panel's widget classes with Qt. Done when the program starts;
// calling it again does nothing.
void install();

enum class Presence {
    shown,     // a node of its own (the default)
    flattened, // a container that only lays out: its children take its place
    hidden,    // decoration, or text another node already speaks
};
void setPresence(QWidget* widget, Presence presence);

// Tells a listening screen reader that a widget's name (its text) changed.
void announceNameChange(QWidget* widget);

} // namespace Accessibility
