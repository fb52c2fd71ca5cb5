// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QSize>

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
inline constexpr QSize assumedScreen{1440, 900};

// A button that paints itself: its height, the room beside its content, its corners.
struct Button {
    int height;
    int padding;
    int radius;
};
// A symbol beside a label: its size and its distance from the label.
struct Symbol {
    int size;
    int spacing;
};

// The results: rows in a box. The rows' content stands 10 points in from the box's sides,
// rowInset of that inside each row, where the emphasised euro row shows its fill.
inline constexpr int rowInset = 6;
inline constexpr QMargins resultsMargins{10 - rowInset, 8, 10 - rowInset, 8};
inline constexpr int resultsRadius = 8;
inline constexpr int resultsSpacing = 6;
inline constexpr QMargins rowMargins{rowInset, 0, rowInset, 0};
inline constexpr int rowHeight = 22;
inline constexpr int rowRadius = 7;
inline constexpr int rowSpacing = 6; // between symbol, code and amount
inline constexpr QMargins homeRowMargins{8, 4, 8, 4};
inline constexpr int homeRowHeight = 30 + homeRowMargins.top() + homeRowMargins.bottom();
inline constexpr int currencySymbolWidth = 20;
inline constexpr Symbol copySymbol{9, 5};
inline constexpr int rateButtonGap = 2; // between a row and its rate button
inline constexpr Button rateButton{18, 6, 5};
inline constexpr Symbol rateArrow{7, 4};

// The footer: currency switches and themes above, the rate status and the buttons below.
inline constexpr QMargins footerMargins{4, 0, 4, 0};
inline constexpr int footerRowGap = 10;
inline constexpr int footerSpacing = 8;
inline constexpr int footerMinimumGap = 12; // the flexible space between switches and themes
inline constexpr int statusRowSpacing = 6;
inline constexpr Button footerButton{22, 6, 6};
inline constexpr QSize refreshSize{24, footerButton.height};
inline constexpr int refreshSymbolSize = 12;
inline constexpr int quitGap = 8; // "Beenden" stands apart from the other buttons

static_assert(keypadWidth == 253 && contentWidth == 515 && panelWidth == 543);

} // namespace Metrics
