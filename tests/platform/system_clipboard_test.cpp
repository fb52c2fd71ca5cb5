// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system_clipboard.h"
#include "support/qt_printers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

TEST(SystemClipboard, TextInAndOutButNothingForOtherContent) {
    SystemClipboard::setText(QStringLiteral("1234,50"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1234,50");
    EXPECT_EQ(SystemClipboard::text(), "1234,50");

    auto* image = new QMimeData;
    image->setData("image/png", QByteArray("\x89PNG\r\n\x1a\n", 8));
    QGuiApplication::clipboard()->setMimeData(image);
    EXPECT_FALSE(SystemClipboard::text().has_value());

    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(SystemClipboard::text().has_value());
}

} // namespace
