// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/theme.h"

namespace {

constexpr Rgba rgb(double r, double g, double b) {
    return {r, g, b, 1.0};
}
constexpr Rgba white(double a = 1.0) {
    return {1, 1, 1, a};
}
constexpr Rgba black(double a = 1.0) {
    return {0, 0, 0, a};
}
constexpr Rgba orange = rgb(1.0, 0.584, 0.0);

const std::array<Theme, 4>& builtIns() {
    static const std::array<Theme, 4> themes{{
        {
            .id = QStringLiteral("navy"),
            .name = QStringLiteral("Navy"),
            .background = rgb(0.039, 0.122, 0.239),
            .card = rgb(0.055, 0.153, 0.29),
            .field = rgb(0.075, 0.18, 0.33),
            .key = rgb(0.11, 0.24, 0.43),
            .accent = rgb(0.149, 0.388, 0.851),
            .accentText = white(),
            .text = white(),
            .warning = orange,
            .border = white(0.13),
            .pressed = white(0.28),
            .scheme = ColorScheme::dark,
            .homeFill = rgb(0.98, 0.8, 0.36),
            .homeText = rgb(0.039, 0.122, 0.239),
        },
        {
            .id = QStringLiteral("graphite"),
            .name = QStringLiteral("Graphit"),
            .background = rgb(0.118, 0.122, 0.129),
            .card = rgb(0.157, 0.161, 0.172),
            .field = rgb(0.212, 0.216, 0.231),
            .key = rgb(0.29, 0.294, 0.314),
            .accent = rgb(0.996, 0.624, 0.039),
            .accentText = rgb(0.11, 0.11, 0.12),
            .text = rgb(0.953, 0.953, 0.961),
            .warning = rgb(1.0, 0.584, 0.0),
            .border = white(0.12),
            .pressed = white(0.25),
            .scheme = ColorScheme::dark,
            .homeFill = rgb(0.3, 0.82, 0.62),
            .homeText = rgb(0.06, 0.1, 0.08),
        },
        {
            .id = QStringLiteral("lightblue"),
            .name = QStringLiteral("Hellblau"),
            .background = rgb(0.749, 0.867, 0.984),
            .card = white(),
            .field = rgb(0.851, 0.925, 1.0),
            .key = rgb(0.725, 0.839, 0.961),
            .accent = rgb(1.0, 0.635, 0.302),
            .accentText = rgb(0.043, 0.176, 0.361),
            .text = rgb(0.043, 0.227, 0.478),
            .warning = rgb(0.761, 0.306, 0.0),
            .border = {0.043, 0.227, 0.478, 0.18},
            .pressed = {0.043, 0.227, 0.478, 0.18},
            .scheme = ColorScheme::light,
            .homeFill = rgb(0.047, 0.227, 0.471),
            .homeText = white(),
        },
        {
            .id = QStringLiteral("white"),
            .name = QStringLiteral("Wei\u00DF"),
            .background = rgb(0.925, 0.929, 0.941),
            .card = white(),
            .field = rgb(0.937, 0.941, 0.953),
            .key = rgb(0.855, 0.875, 0.91),
            .accent = rgb(0.149, 0.388, 0.851),
            .accentText = white(),
            .text = rgb(0.106, 0.122, 0.161),
            .warning = rgb(0.85, 0.38, 0.0),
            .border = black(0.1),
            .pressed = black(0.12),
            .scheme = ColorScheme::light,
            .homeFill = rgb(0.09, 0.18, 0.38),
            .homeText = white(),
        },
    }};
    return themes;
}

} // namespace

const Theme& Theme::navy() {
    return builtIns()[0];
}
const Theme& Theme::graphite() {
    return builtIns()[1];
}
const Theme& Theme::lightBlue() {
    return builtIns()[2];
}
const Theme& Theme::white() {
    return builtIns()[3];
}
const std::array<Theme, 4>& Theme::all() {
    return builtIns();
}

const Theme& Theme::named(const std::optional<QString>& id) {
    // Two retired themes; their users get the light one that replaced them.
    if (id && (*id == QLatin1String("brown") || *id == QLatin1String("bordeaux")))
        return lightBlue();
    if (id) {
        for (const Theme& theme : all()) {
            if (theme.id == *id)
                return theme;
        }
    }
    return navy();
}
