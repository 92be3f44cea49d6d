// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QSizeF>

namespace grading {

// Where the grading window and its parts go, in pixels: the window relative to the screen's
// top-left, everything else relative to the window.
struct GradingWindowGeometry {
    QSizeF windowTwips;
    QRect window;
    QRect panel;         // Picture3, the command panel at the right edge
    QRect strip;         // Picture1, the region selectors (its height follows its content)
    QRect stripBar;      // VScroll1
    QRect canvasArea;    // where the answer canvas shows, from 80 pixels right of the left edge
    QRect canvasBar;     // VScroll2
    QRect horizontalBar; // HScroll1
    int verticalLargeStep = 0;
    int verticalSmallStep = 0;
    int horizontalLargeStep = 500;
    int horizontalSmallStep = 50;
};

// The answer canvas's left edge in the window when not scrolled sideways.
inline constexpr int kCanvasLeft = 80;
// The top of the strip and the canvas when not scrolled.
inline constexpr int kScrolledTop = 3;

// The window at the screen's top-left, screen width − 500 by screen height − 3000 twips; the
// panel right-aligned (window width ÷ 15.1), as tall as the window (÷ 15); the vertical bars
// window height ÷ 15.1 − 20 tall, the canvas bar just left of the panel, the horizontal bar
// along the bottom between the strip bar and the canvas bar. Vertical large steps are 0.8 of
// the panel height, small steps a tenth of that, all rounded halves to even.
[[nodiscard]] GradingWindowGeometry gradingWindowGeometry(QSizeF screenTwips, int barWidth);

// A scroll bar's maximum for content of the given length under a bar of the given length:
// the content can be scrolled until its end reaches the bar's end, never below zero.
[[nodiscard]] int scrollMaximum(int contentLength, int barLength);

// Where the score palette goes: at (grading window width + 20, 10) twips from the corner of
// the window's screen, just right of the grading window, when it fits there on the desktop (a
// second screen to the right). Otherwise the palette would stand almost wholly off the screen,
// so it goes over the grading window's top right, just left of the canvas bar and the panel.
[[nodiscard]] QPoint palettePosition(const QRect& screenArea, const QRect& desktopArea,
                                     const GradingWindowGeometry& geometry, QSize paletteSize);

} // namespace grading
