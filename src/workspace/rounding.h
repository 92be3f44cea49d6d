// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

namespace workspace {

// Rounds to the nearest integer; a value exactly halfway goes to the even neighbour
// (2.5 → 2, 3.5 → 4, −2.5 → −2). Every fractional value that becomes an integer uses it.
[[nodiscard]] double roundHalfEven(double value);

// roundHalfEven into a signed 16-bit integer; nothing when the result does not fit.
[[nodiscard]] std::optional<qint16> toInt16(double value);

// roundHalfEven into a signed 32-bit integer; nothing when the result does not fit.
[[nodiscard]] std::optional<qint32> toInt32(double value);

} // namespace workspace
