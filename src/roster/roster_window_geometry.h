// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/scroll_settings.h"

#include <QRect>
#include <QRectF>
#include <QSizeF>

#include <optional>

// The roster window's own layout. The window is measured in twips; its direct children (canvas,
// scroll bar, right-hand column) in pixels.
namespace roster {

struct RosterWindowGeometry {
    QRectF window;      // twips, relative to the screen
    QRect canvas;       // Picture1, pixels; its height is set later from the rows
    QRect scrollBar;    // VScroll1, pixels
    int columnLeft = 0; // Command1 … Command6 and Text2, pixels
};

// On a screen of the given size in twips: the window at the top-left corner, a third narrower
// than the screen and 1000 twips shorter; the canvas at (10, 10), window width / 15.1 − 180
// wide; the 19-pixel scroll bar over the canvas's right-most 10 pixels, window height / 15.1 − 20
// high; the column 40 pixels right of the scroll bar. Pixel values are rounded halves to even.
[[nodiscard]] RosterWindowGeometry rosterWindowGeometry(QSizeF screenTwips);

// The canvas height in pixels that holds rows reaching down to the given edge in twips, with a
// 10-pixel margin below.
[[nodiscard]] int canvasHeight(double lowestEdgeTwips);

// VScroll1: maximum = canvas height − scroll bar height (0 when the canvas is shorter), large
// step = window height in twips / 15 × 0.8, small step a tenth of the large step as stored; each
// rounded halves to even.
[[nodiscard]] workspace::ScrollSettings rosterScrollSettings(int canvasHeight, int scrollBarHeight,
                                                             double windowHeightTwips);

// The scroll value after a key pressed in the canvas or a name box: Page Up / Page Down move by
// the large step, Up / Down by the small one, held within the range. Nothing for other keys.
[[nodiscard]] std::optional<int> scrolledValue(int key, int value,
                                               const workspace::ScrollSettings& settings);

// The canvas top in pixels for a scroll value: 10 − value.
[[nodiscard]] int canvasTop(int scrollValue);

} // namespace roster
