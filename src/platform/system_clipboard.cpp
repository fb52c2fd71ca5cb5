// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace SystemClipboard {

std::optional<QString> text() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return std::nullopt;
    const QMimeData* data = clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text();
}

void setText(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text, QClipboard::Clipboard);
}

} // namespace SystemClipboard
