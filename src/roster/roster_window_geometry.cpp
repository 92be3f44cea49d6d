// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster_window_geometry.h"

#include "workspace/rounding.h"
#include "workspace/units.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace roster {

namespace {

constexpr int kCanvasMargin = 10;
constexpr int kScrollBarWidth = 19;
constexpr int kColumnOffset = 40;

int rounded(double value)
{
    return static_cast<int>(workspace::roundHalfEven(value));
}

} // namespace

RosterWindowGeometry rosterWindowGeometry(QSizeF screenTwips)
{
    RosterWindowGeometry geometry;
    geometry.window = QRectF(0, 0, screenTwips.width() / 1.5, screenTwips.height() - 1000);
    const double perPixel = workspace::kTwipsPerPixelLayout;
    const int canvasWidth = rounded(geometry.window.width() / perPixel - 180);
    geometry.canvas = QRect(kCanvasMargin, kCanvasMargin, canvasWidth, 0);
    geometry.scrollBar =
        QRect(canvasWidth, 0, kScrollBarWidth, rounded(geometry.window.height() / perPixel - 20));
    geometry.columnLeft = geometry.scrollBar.left() + kColumnOffset;
    return geometry;
}

int canvasHeight(double lowestEdgeTwips)
{
    return static_cast<int>(std::ceil(lowestEdgeTwips / workspace::kTwipsPerPixel)) + kCanvasMargin;
}

workspace::ScrollSettings rosterScrollSettings(int canvasHeight, int scrollBarHeight,
                                               double windowHeightTwips)
{
    return workspace::scrollSettings(canvasHeight, scrollBarHeight,
                                     windowHeightTwips / workspace::kTwipsPerPixel * 0.8);
}

std::optional<int> scrolledValue(int key, int value, const workspace::ScrollSettings& settings)
{
    int moved = 0;
    switch (key) {
    case Qt::Key_PageUp: moved = value - settings.largeStep; break;
    case Qt::Key_PageDown: moved = value + settings.largeStep; break;
    case Qt::Key_Up: moved = value - settings.smallStep; break;
    case Qt::Key_Down: moved = value + settings.smallStep; break;
    default: return std::nullopt;
    }
    return std::clamp(moved, settings.minimum, settings.maximum);
}

int canvasTop(int scrollValue)
{
    return kCanvasMargin - scrollValue;
}

} // namespace roster
