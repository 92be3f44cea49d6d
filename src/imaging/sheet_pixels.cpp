// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_pixels.h"

#include "bmp_codec.h"

namespace imaging {

std::optional<SheetPixels> SheetPixels::fromBmp(QByteArrayView bmp, double dotsPerInch)
{
    const std::optional<BmpLayout> layout = uncompressedBmpLayout(bmp);
    if (!layout)
        return std::nullopt;
    return SheetPixels{reinterpret_cast<const uchar*>(bmp.data()) + layout->pixelOffset,
                       layout->stride,
                       {layout->width, layout->height},
                       layout->bitsPerPixel / 8,
                       layout->bottomUp,
                       dotsPerInch};
}

std::optional<SheetPixels> SheetPixels::fromImage(const QImage& image, double dotsPerInch)
{
    int bytesPerPixel = 0;
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32: bytesPerPixel = 4; break;
    case QImage::Format_BGR888: bytesPerPixel = 3; break;
    default: return std::nullopt;
    }
    return SheetPixels{image.constBits(), image.bytesPerLine(), image.size(), bytesPerPixel, false,
                       dotsPerInch};
}

} // namespace imaging
