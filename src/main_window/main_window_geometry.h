// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/scroll_settings.h"

#include <QRectF>
#include <QSizeF>

#include <optional>

namespace main_window {

// Where the main window and its panel go on a screen, in twips.
struct MainWindowGeometry {
    QRectF window;          // relative to the screen
    QRectF frame;           // Frame1, relative to the window
    double exitLeft = 0;    // Command6, relative to Frame1
    double reduceLeft = 0;  // Command13
    double enlargeLeft = 0; // Command12
};

// The window at (10, 10), screen width − 50 by screen height − 500; the panel along its bottom,
// the exit button right-aligned in it and the zoom pair above the exit button.
[[nodiscard]] MainWindowGeometry mainWindowGeometry(QSizeF screenTwips);

// The sheet view fitted to the window: width − 1000 wide, as tall as the picture's proportions
// ask, centred horizontally, its top kept.
[[nodiscard]] QRectF fittedSheetView(double windowWidth, QSizeF pictureSize, double top);

// The sheet view resized and centred horizontally in the window's outer width, its top kept.
[[nodiscard]] QRectF centredSheetView(double windowWidth, QSizeF viewSize, double top);

enum class ZoomDirection {
    Enlarge, // 拡大
    Reduce,  // 縮小
};

// The view 10 % larger or smaller, centred in the window's outer width, its top kept. Its size
// is held in single precision, as the view keeps it, so that a reduction followed by an
// enlargement gives back the fitted width. Nothing when enlarging would make the view wider than
// the window's width − 1000 (compared in single precision).
[[nodiscard]] std::optional<QRectF> zoomedSheetView(double windowWidth, const QRectF& view,
                                                    ZoomDirection direction);

// VScroll1 for a display of the given height: maximum = display height − bar height, large
// step = 60 % of the window height, small step a tenth of the large step as stored. A maximum
// below zero (a view shorter than the bar) is held at zero.
[[nodiscard]] workspace::ScrollSettings
sheetScrollSettings(double displayHeight, double scrollBarHeight, double windowHeight);

// The view's top edge for a scroll value: 3 − value twips.
[[nodiscard]] double sheetViewTop(int scrollValue);

// VScroll1's place at the right edge of the window: left = window width − bar width − 100,
// height = window height − 1500.
[[nodiscard]] QRectF sheetScrollBarRect(QSizeF windowSize, double barWidth);

} // namespace main_window
