// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/region_rect.h"

#include <QPoint>
#include <QPointF>

namespace main_window {

// A rectangle on the display surface in pixels, rows counted from the bottom; bounds inclusive.
struct DisplayRect {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;

    friend bool operator==(const DisplayRect&, const DisplayRect&) = default;
};

// The display pixel under a press on the sheet view: column x / 15.1 and row from the bottom
// (view height − y) / 15.1, halves to even. The divisor is 15.1, not the 15 twips of a pixel.
[[nodiscard]] QPoint displayPixelForPress(QPointF positionTwips, double viewHeightTwips);

// The rectangle painted for two opposite corners, in either order: 2 pixels beyond them on
// every side.
[[nodiscard]] DisplayRect paintedRectangle(QPoint first, QPoint second);

// The region in sheet pixels for a painted rectangle: widened by 2 more display pixels at the
// right and at the bottom, rows turned into y from the top of a display `displayHeight` pixels
// high, then divided by the display scale and rounded down. Values beyond 16 bits are held at
// the 16-bit limits.
[[nodiscard]] workspace::RegionRect sheetRegion(const DisplayRect& painted, double displayScale,
                                                double displayHeight);

} // namespace main_window
