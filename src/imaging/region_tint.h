// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The translucent red with which answer regions are painted on the display surface. Both
// routines address the surface as a bottom-up bitmap: column x from the left, row y from the
// bottom (row 0 is the lowest row). Bounds are inclusive; pixels outside the surface are skipped.
namespace imaging {

// The tint of one pixel: blue and green halved, red halfway to 255 (integer division), so white
// becomes (255, 127, 127) and a pixel tinted twice comes out darker.
[[nodiscard]] QRgb tinted(QRgb pixel);

// Tints the 5 × 5 square of columns x − 2 … x + 2 and rows y − 2 … y + 2.
void tintDot(QImage& surface, int x, int y);

// Tints columns left … right and rows bottom … top.
void tintRect(QImage& surface, int left, int right, int bottom, int top);

} // namespace imaging
