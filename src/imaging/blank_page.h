// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <functional>

namespace imaging {

class BmpRows;

// Rows of pixels whose bytes hold blue, green and red at offsets 0, 1 and 2 of each pixel,
// pixelStep bytes apart: the rows of a 24-bit BMP (3) or of a 32-bit QImage (4).
struct PixelRows {
    QSize size;
    int pixelStep = 3;
    // Row y, counted from the top.
    std::function<const uchar*(int y)> row;
};

// Whether a page carries almost no ink, as the back of a one-sided sheet does in a duplex scan.
// A margin along every edge is ignored (punch holes, the shadow of the sheet's edge), and so is
// dust: a speck darkens one small block of the page, a stroke of a pen several side by side.
// A page too small to judge is not blank. Stops reading as soon as it has seen enough ink, so a
// written sheet costs a fraction of a pass over its pixels.
[[nodiscard]] bool isBlankPage(const PixelRows& rows);
[[nodiscard]] bool isBlankPage(const BmpRows& rows);
// The same for a picture in memory; formats other than RGB32, ARGB32 and BGR888 are converted.
[[nodiscard]] bool isBlankPage(const QImage& image);

} // namespace imaging
