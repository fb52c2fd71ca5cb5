// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calculator.h"

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>

namespace {

bool isKept(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           QStringView(u".,+-\u2212\u2013*\u00D7/\u00F7() ").contains(c);
}

// A leading minus is a sign and stays; every other operator and separator is cut at the start.
bool badFirst(QChar c) {
    return QStringView(u"+*\u00D7/\u00F7., ").contains(c);
}
bool badLast(QChar c) {
    return QStringView(u"+-\u2212\u2013*\u00D7/\u00F7., ").contains(c);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString cleaned = Calculator::cleanPasted(text);
    for (const QChar c : cleaned) {
        if (!isKept(c))
            __builtin_trap();
    }
    if (!cleaned.isEmpty() && (badFirst(cleaned.front()) || badLast(cleaned.back())))
        __builtin_trap();
    if (cleaned.contains(QLatin1String("  ")))
        __builtin_trap();
    if (Calculator::cleanPasted(cleaned) != cleaned)
        __builtin_trap();
    return 0;
}
