// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Layout constants of the panel, in points (Qt's device-independent pixels).
namespace Metrics {

inline constexpr int keyWidth = 52;
inline constexpr int keyHeight = 38;
inline constexpr int keySpacing = 7;
inline constexpr int cardPadding = 12;
inline constexpr int leftWidth = 250;
inline constexpr int keypadWidth = 4 * keyWidth + 3 * keySpacing + 2 * cardPadding;
inline constexpr int cardGap = 12;
inline constexpr int contentWidth = leftWidth + cardGap + keypadWidth;
inline constexpr int wideKeyWidth = 2 * keyWidth + keySpacing; // "Einfügen"
inline constexpr int panelPadding = 14;
inline constexpr int panelWidth = contentWidth + 2 * panelPadding;
// The panel's rounded corners: its window's shape and its painted background must agree.
inline constexpr int panelCornerRadius = 16;
// The panel's height before its content has laid itself out.
inline constexpr int fallbackPanelHeight = 420;
// The screen assumed when Qt knows of none.
inline constexpr int assumedScreenWidth = 1440;
inline constexpr int assumedScreenHeight = 900;

static_assert(keypadWidth == 253 && contentWidth == 515 && panelWidth == 543);

} // namespace Metrics
