// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

#include <functional>

// What time it is, as whoever builds an object wants it: the wall clock in the program, a fixed
// or hand-advanced moment in tests. Everything that shows or judges time takes one of these.
using Clock = std::function<QDateTime()>;

namespace Clocks {

inline QDateTime system() {
    return QDateTime::currentDateTime();
}

} // namespace Clocks
