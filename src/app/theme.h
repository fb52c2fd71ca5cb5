// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

// An sRGB colour with opacity, each component 0…1. Kept free of QtGui so that themes are
// plain data; the views turn them into QColor when they paint.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

enum class ColorScheme { dark, light };

// The panel's colour set. Two themes are the same theme when their ids match.
struct Theme {
    QString id;
    QString name; // German, shown by the theme picker
    Rgba background;
    Rgba card;
    Rgba field;
    Rgba key;
    Rgba accent;
    Rgba accentText;
    Rgba text;
    Rgba warning;
    Rgba border;
    Rgba pressed;
    ColorScheme scheme = ColorScheme::dark;
    Rgba homeFill;
    Rgba homeText;

    friend bool operator==(const Theme& a, const Theme& b) { return a.id == b.id; }

    static const Theme& navy();
    static const Theme& graphite();
    static const Theme& lightBlue();
    static const Theme& white();
    // In the order the theme picker shows them.
    static const std::array<Theme, 4>& all();
    // The theme for a stored id; unknown or absent ids give navy.
    static const Theme& named(const std::optional<QString>& id);
};
