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

// The results: rows in a box, their content resultsPadding in from the box's sides. Each row
// keeps rowInset of that inside itself, where the emphasised euro row shows its fill.
inline constexpr int resultsRadius = 8;
inline constexpr int resultsPadding = 10; // left and right, to the rows' content
inline constexpr int resultsVerticalPadding = 8;
inline constexpr int resultsSpacing = 6;
inline constexpr int rowRadius = 7;
inline constexpr int rowHeight = 22;
inline constexpr int rowInset = 6;
inline constexpr int rowSpacing = 6;
inline constexpr int homeRowInset = 8;
inline constexpr int homeRowPadding = 4; // above and below
inline constexpr int homeRowHeight = 30 + 2 * homeRowPadding;
inline constexpr int currencySymbolWidth = 20;
inline constexpr int copySymbolSize = 9;
inline constexpr int copySymbolSpacing = 5;
inline constexpr int rateButtonGap = 2; // between a row and its rate button
inline constexpr int rateButtonHeight = 18;
inline constexpr int rateButtonRadius = 5;
inline constexpr int rateButtonPadding = 6;
inline constexpr int rateArrowSize = 7;
inline constexpr int rateArrowSpacing = 4;

// The footer: the currency switches and themes above, the rate status and buttons below.
inline constexpr int footerInset = 4; // left and right
inline constexpr int footerRowGap = 10;
inline constexpr int footerSpacing = 8;
inline constexpr int footerMinimumGap = 12; // the flexible space between switches and themes
inline constexpr int statusRowSpacing = 6;
inline constexpr int footerButtonHeight = 22;
inline constexpr int footerButtonRadius = 6;
inline constexpr int footerButtonPadding = 6;
inline constexpr int refreshWidth = 24;
inline constexpr int refreshSymbolSize = 12;
inline constexpr int quitGap = 8; // "Beenden" stands apart from the other buttons

static_assert(keypadWidth == 253 && contentWidth == 515 && panelWidth == 543);

} // namespace Metrics
