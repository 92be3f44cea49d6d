// SPDX-License-Identifier: GPL-3.0-or-later
#include "rounding.h"

#include <cmath>
#include <limits>

namespace workspace {

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double difference = value - floor;
    if (difference < 0.5)
        return floor;
    if (difference > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

namespace {

template <typename Integer> std::optional<Integer> roundInto(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min())
        || rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
        return std::nullopt;
    return static_cast<Integer>(rounded);
}

} // namespace

std::optional<qint16> toInt16(double value)
{
    return roundInto<qint16>(value);
}

std::optional<qint32> toInt32(double value)
{
    return roundInto<qint32>(value);
}

} // namespace workspace
