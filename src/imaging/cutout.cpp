#include "cutout.h"

#include <cstring>

namespace imaging {

QImage cutOut(const QImage& sheet, const workspace::RegionRect& region) {
    const QRect block(region.left, region.top, region.width(), region.height());
    if (block.isEmpty())
        return {};
    const QImage source =
        sheet.format() == QImage::Format_BGR888 || sheet.format() == QImage::Format_RGB32
            ? sheet
            : sheet.convertToFormat(QImage::Format_RGB32);
    QImage result(block.size(), source.isNull() ? QImage::Format_RGB32 : source.format());
    if (result.isNull())
        return {};
    const QRect inside = block.intersected(source.rect());
    if (inside != block)
        result.fill(Qt::white);
    if (inside.isEmpty())
        return result;
    const int bytesPerPixel = source.depth() / 8;
    const size_t rowBytes = size_t(inside.width()) * bytesPerPixel;
    const int offsetX = inside.left() - block.left();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(result.scanLine(y - block.top()) + offsetX * bytesPerPixel,
                    source.constScanLine(y) + inside.left() * bytesPerPixel, rowBytes);
    return result;
}

} // namespace imaging
