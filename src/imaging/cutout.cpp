// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutout.h"

#include "bmp_codec.h"
#include "bmp_rows.h"
#include "picture_loading.h"

#include <cstring>
#include <new>

namespace imaging {

namespace {

// The sheet's pixels a region covers, or an empty rectangle for a region that cannot be cut.
QRect blockOf(const workspace::RegionRect& region)
{
    const QRect block(region.left, region.top, region.width(), region.height());
    if (block.isEmpty() || qint64(block.width()) * block.height() > kMaxPicturePixels)
        return {};
    return block;
}

// Copies the part of the block that lies on a sheet of the given size; rowOf(y) gives the
// sheet's row y.
template <typename RowOf>
QImage cutRows(QSize sheetSize, QImage::Format format, const workspace::RegionRect& region,
               RowOf rowOf)
{
    const QRect block = blockOf(region);
    if (block.isEmpty())
        return {};
    QImage result(block.size(), format);
    if (result.isNull())
        return {};
    const QRect inside = block.intersected(QRect(QPoint(0, 0), sheetSize));
    if (inside != block)
        result.fill(Qt::white);
    if (inside.isEmpty())
        return result;
    const int bytesPerPixel = result.depth() / 8;
    const size_t rowBytes = size_t(inside.width()) * bytesPerPixel;
    const int offsetX = inside.left() - block.left();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(result.scanLine(y - block.top()) + offsetX * bytesPerPixel,
                    rowOf(y) + inside.left() * bytesPerPixel, rowBytes);
    return result;
}

} // namespace

QImage cutOut(const QImage& sheet, const workspace::RegionRect& region)
{
    const QImage source =
        sheet.format() == QImage::Format_BGR888 || sheet.format() == QImage::Format_RGB32
            ? sheet
            : sheet.convertToFormat(QImage::Format_RGB32);
    return cutRows(source.size(), source.isNull() ? QImage::Format_RGB32 : source.format(), region,
                   [&source](int y) { return source.constScanLine(y); });
}

QImage cutOut(const BmpRows& sheet, const workspace::RegionRect& region)
{
    return cutRows(sheet.size(), QImage::Format_BGR888, region,
                   [&sheet](int y) { return sheet.row(y); });
}

QByteArray cutOutBmp(const BmpRows& sheet, const workspace::RegionRect& region)
{
    const QRect block = blockOf(region);
    if (block.isEmpty())
        return {};
    const qsizetype stride = bmpStride(block.width(), 24);
    const qsizetype pixelBytes = qsizetype(block.width()) * 3;
    QByteArray bytes;
    // As QImage does, a block too large for memory is refused rather than ending the program.
    try {
        bytes.resize(kBmpHeadersSize + stride * block.height());
    } catch (const std::bad_alloc&) {
        return {};
    }
    const QByteArray headers = bmpHeaders(block.width(), block.height());
    std::memcpy(bytes.data(), headers.constData(), kBmpHeadersSize);
    const QRect inside = block.intersected(QRect(QPoint(0, 0), sheet.size()));
    auto* pixels = reinterpret_cast<uchar*>(bytes.data()) + kBmpHeadersSize;
    for (int y = block.top(); y <= block.bottom(); ++y) {
        // Bottom-up: the file starts with the block's last row.
        uchar* row = pixels + stride * (block.bottom() - y);
        std::memset(row + pixelBytes, 0, size_t(stride - pixelBytes));
        if (inside != block)
            std::memset(row, 0xff, size_t(pixelBytes));
        if (y >= inside.top() && y <= inside.bottom())
            std::memcpy(row + (inside.left() - block.left()) * 3, sheet.row(y) + inside.left() * 3,
                        size_t(inside.width()) * 3);
    }
    return bytes;
}

} // namespace imaging
