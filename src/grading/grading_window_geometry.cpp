// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading_window_geometry.h"

#include "workspace/rounding.h"
#include "workspace/units.h"

#include <algorithm>

namespace grading {

namespace {

constexpr int kPanelWidth = 140;

int rounded(double value)
{
    return int(workspace::roundHalfEven(value));
}

} // namespace

GradingWindowGeometry gradingWindowGeometry(QSizeF screenTwips, int barWidth)
{
    GradingWindowGeometry geometry;
    geometry.windowTwips = QSizeF(screenTwips.width() - 500, screenTwips.height() - 3000);
    const double widthTwips = geometry.windowTwips.width();
    const double heightTwips = geometry.windowTwips.height();
    geometry.window = QRect(QPoint(0, 0), workspace::twipsToPixels(geometry.windowTwips));

    const int panelLeft = rounded(widthTwips / workspace::kTwipsPerPixelLayout) - kPanelWidth;
    const int panelHeight = rounded(heightTwips / workspace::kTwipsPerPixel);
    geometry.panel = QRect(panelLeft, 0, kPanelWidth, panelHeight);

    const int barHeight = rounded(heightTwips / workspace::kTwipsPerPixelLayout - 20);
    const int stripBarLeft = kCanvasLeft - barWidth;
    geometry.stripBar = QRect(stripBarLeft, 0, barWidth, barHeight);
    geometry.strip = QRect(0, kScrolledTop, stripBarLeft, 0);

    geometry.canvasBar = QRect(panelLeft - barWidth, 0, barWidth, barHeight);
    const int horizontalTop =
        rounded(heightTwips / workspace::kTwipsPerPixelLayout - barWidth - 20);
    geometry.horizontalBar = QRect(stripBarLeft + barWidth, horizontalTop,
                                   geometry.canvasBar.left() - stripBarLeft - barWidth, barWidth);
    geometry.canvasArea =
        QRect(kCanvasLeft, 0, std::max(geometry.canvasBar.left() - kCanvasLeft, 0), horizontalTop);

    geometry.verticalLargeStep = rounded(0.8 * panelHeight);
    geometry.verticalSmallStep = rounded(geometry.verticalLargeStep / 10.0);
    return geometry;
}

int scrollMaximum(int contentLength, int barLength)
{
    return std::max(contentLength - barLength, 0);
}

QPoint palettePosition(const QRect& screenArea, const QRect& desktopArea,
                       const GradingWindowGeometry& geometry, QSize paletteSize)
{
    const QPoint beside = screenArea.topLeft()
                          + QPoint(workspace::twipsToPixels(geometry.windowTwips.width() + 20),
                                   workspace::twipsToPixels(10.0));
    if (desktopArea.contains(QRect(beside, paletteSize)))
        return beside;
    const int overGrid = screenArea.left() + geometry.window.left() + geometry.canvasBar.left()
                         - paletteSize.width();
    return {std::max(overGrid, screenArea.left()), beside.y()};
}

} // namespace grading
