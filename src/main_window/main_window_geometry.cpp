// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_geometry.h"

namespace main_window {

namespace {

constexpr double kExitWidth = 1485;
constexpr double kZoomWidth = 735;

} // namespace

MainWindowGeometry mainWindowGeometry(QSizeF screenTwips)
{
    MainWindowGeometry geometry;
    geometry.window = QRectF(10, 10, screenTwips.width() - 50, screenTwips.height() - 500);
    geometry.frame =
        QRectF(0, geometry.window.height() - 1350, geometry.window.width() - 500, 1005);
    geometry.exitLeft = geometry.frame.width() - kExitWidth - 200;
    geometry.reduceLeft = geometry.exitLeft - 10;
    geometry.enlargeLeft = geometry.reduceLeft + kZoomWidth + 10;
    return geometry;
}

QRectF fittedSheetView(double windowWidth, QSizeF pictureSize, double top)
{
    const double width = windowWidth - 1000;
    const double height = width * (pictureSize.height() / pictureSize.width());
    return centredSheetView(windowWidth, QSizeF(width, height), top);
}

QRectF centredSheetView(double windowWidth, QSizeF viewSize, double top)
{
    return QRectF((windowWidth - viewSize.width()) / 2, top, viewSize.width(), viewSize.height());
}

std::optional<QRectF> zoomedSheetView(double windowWidth, const QRectF& view,
                                      ZoomDirection direction)
{
    constexpr double kFactor = 1.1;
    auto single = [](double value) { return static_cast<double>(static_cast<float>(value)); };
    if (direction == ZoomDirection::Enlarge
        && static_cast<float>(windowWidth - 1000) < static_cast<float>(view.width() * kFactor))
        return std::nullopt;
    // Dividing, not multiplying by 1 / 1.1, so that the two steps undo each other.
    auto zoomed = [&](double length) {
        return single(direction == ZoomDirection::Enlarge ? length * kFactor : length / kFactor);
    };
    return centredSheetView(windowWidth, QSizeF(zoomed(view.width()), zoomed(view.height())),
                            view.top());
}

workspace::ScrollSettings sheetScrollSettings(double displayHeight, double scrollBarHeight,
                                              double windowHeight)
{
    return workspace::scrollSettings(displayHeight, scrollBarHeight, windowHeight * 0.6);
}

double sheetViewTop(int scrollValue)
{
    return 3.0 - scrollValue;
}

QRectF sheetScrollBarRect(QSizeF windowSize, double barWidth)
{
    return QRectF(windowSize.width() - barWidth - 100, 0, barWidth, windowSize.height() - 1500);
}

} // namespace main_window
