// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_rows.h"

#include "bmp_codec.h"

namespace imaging {

std::optional<BmpRows> BmpRows::fromBytes(QByteArrayView bytes)
{
    const std::optional<BmpLayout> layout = uncompressedBmpLayout(bytes);
    if (!layout || layout->bitsPerPixel != 24)
        return std::nullopt;
    BmpRows rows;
    rows.m_width = layout->width;
    rows.m_height = layout->height;
    rows.m_bottomUp = layout->bottomUp;
    rows.m_stride = layout->stride;
    rows.m_pixels = reinterpret_cast<const uchar*>(bytes.data()) + layout->pixelOffset;
    return rows;
}

} // namespace imaging
