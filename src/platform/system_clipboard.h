// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The desktop's clipboard (the CLIPBOARD selection), plain text only.
namespace SystemClipboard {

// Nothing when the clipboard holds no text (an image, or nothing at all).
std::optional<QString> text();
void setText(const QString& text);

} // namespace SystemClipboard
