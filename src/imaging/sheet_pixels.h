// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <optional>

namespace imaging {

// The pixels of a sheet as they lie in memory, read in place: blue, green and red bytes (and a
// fourth, unused, with bytesPerPixel 4), rows `stride` bytes apart, the first row in memory the
// top one or, bottomUp, the bottom one as in a BMP.
struct SheetPixels {
    const uchar* rows = nullptr;
    qsizetype stride = 0;
    QSize size;
    int bytesPerPixel = 3;
    bool bottomUp = false;
    double dotsPerInch = 200;

    // Nothing unless the bytes hold a whole uncompressed 24- or 32-bit BMP.
    [[nodiscard]] static std::optional<SheetPixels> fromBmp(QByteArrayView bmp, double dotsPerInch);
    // A view of an RGB32, ARGB32 or BGR888 image, which must outlive it; nothing for another
    // format.
    [[nodiscard]] static std::optional<SheetPixels> fromImage(const QImage& image,
                                                              double dotsPerInch);
};

} // namespace imaging
