// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/calculator.h"

#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto value = Calculator::evaluate(text);
    Calculator::isExpression(text);
    if (!value)
        return 0;
    if (!std::isfinite(*value))
        __builtin_trap();
    // Every token adds at most one level of nesting, so a short text leaves room for two more;
    // wrapping it as a negated group must then give exactly the negated value.
    if (text.size() < Calculator::maxNesting - 10) {
        const auto negated = Calculator::evaluate(QStringLiteral("-(") + text + QLatin1Char(')'));
        if (!negated || *negated != -*value)
            __builtin_trap();
    }
    return 0;
}
