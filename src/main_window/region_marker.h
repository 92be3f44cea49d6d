// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <optional>

namespace main_window {

// The corners of the rectangle being drawn on the sheet view, in display pixels with rows
// counted from the bottom. The first press of a rectangle is remembered as its first corner and
// the next press completes it; there is no cancel. A first corner is kept across undo, cutting,
// import and reset, so the next press completes the rectangle with it.
class RegionMarker {
public:
    struct Corners {
        QPoint first;
        QPoint second;
    };

    // The corners of the rectangle this press completes, or nothing when it only sets the first
    // corner. (0, 0) stands for "no first corner", so a first press on that pixel is not
    // remembered and the next press starts the rectangle instead.
    std::optional<Corners> press(QPoint displayPixel);

    [[nodiscard]] bool hasFirstCorner() const { return !m_firstCorner.isNull(); }

private:
    QPoint m_firstCorner; // firstCornerX, firstCornerY
};

} // namespace main_window
