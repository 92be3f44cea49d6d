// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutout.h"

#include "bmp_rows.h"
#include "picture_loading.h"

#include <cstring>

namespace imaging {

namespace {

// Copies the part of the block that lies on a sheet of the given size; rowOf(y) gives the
// sheet's row y.
template <typename RowOf>
QImage cutRows(QSize sheetSize, QImage::Format format, const workspace::RegionRect& region,
               RowOf rowOf)
{
    const QRect block(region.left, region.top, region.width(), region.height());
    if (block.isEmpty() || qint64(block.width()) * block.height() > kMaxPicturePixels)
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

} // namespace imaging
