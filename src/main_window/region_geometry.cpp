// SPDX-License-Identifier: GPL-3.0-or-later
#include "region_geometry.h"

#include "workspace/rounding.h"
#include "workspace/units.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace main_window {

namespace {

qint16 sheetCoordinate(double displayPixels, double displayScale)
{
    const double value = std::floor(displayPixels / displayScale);
    return static_cast<qint16>(std::clamp<double>(value, std::numeric_limits<qint16>::min(),
                                                  std::numeric_limits<qint16>::max()));
}

} // namespace

QPoint displayPixelForPress(QPointF positionTwips, double viewHeightTwips)
{
    constexpr double divisor = workspace::kTwipsPerPixelLayout;
    return {static_cast<int>(workspace::roundHalfEven(positionTwips.x() / divisor)),
            static_cast<int>(
                workspace::roundHalfEven((viewHeightTwips - positionTwips.y()) / divisor))};
}

DisplayRect paintedRectangle(QPoint first, QPoint second)
{
    return {std::min(first.x(), second.x()) - 2, std::min(first.y(), second.y()) - 2,
            std::max(first.x(), second.x()) + 2, std::max(first.y(), second.y()) + 2};
}

workspace::RegionRect sheetRegion(const DisplayRect& painted, double displayScale,
                                  double displayHeight)
{
    const int right = painted.right + 2;
    const int bottom = painted.bottom - 2;
    return {sheetCoordinate(painted.left, displayScale),
            sheetCoordinate(displayHeight - bottom, displayScale),
            sheetCoordinate(right, displayScale),
            sheetCoordinate(displayHeight - painted.top, displayScale)};
}

} // namespace main_window
