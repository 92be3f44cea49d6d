// SPDX-License-Identifier: GPL-3.0-or-later
#include "region_tint.h"

#include <algorithm>

namespace imaging {

QRgb tinted(QRgb pixel)
{
    return qRgb((qRed(pixel) + 255) / 2, qGreen(pixel) / 2, qBlue(pixel) / 2);
}

void tintRect(QImage& surface, int left, int right, int bottom, int top)
{
    if (surface.isNull())
        return;
    if (surface.format() != QImage::Format_RGB32)
        surface.convertTo(QImage::Format_RGB32);
    const int firstColumn = std::max(left, 0);
    const int lastColumn = std::min(right, surface.width() - 1);
    const int firstRow = std::max(bottom, 0);
    const int lastRow = std::min(top, surface.height() - 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(surface.scanLine(surface.height() - 1 - row));
        for (int column = firstColumn; column <= lastColumn; ++column)
            pixels[column] = tinted(pixels[column]);
    }
}

void tintDot(QImage& surface, int x, int y)
{
    tintRect(surface, x - 2, x + 2, y - 2, y + 2);
}

} // namespace imaging
