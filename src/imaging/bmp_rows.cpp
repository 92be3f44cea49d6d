#include "bmp_rows.h"

#include <QtEndian>

#include <cstdlib>
#include <limits>

namespace imaging {

std::optional<BmpRows> BmpRows::fromBytes(QByteArrayView bytes) {
    constexpr qsizetype kHeadersSize = 14 + 40;
    if (bytes.size() < kHeadersSize || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(data + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(data + 14);
    const qint32 width = qFromLittleEndian<qint32>(data + 18);
    const qint32 height = qFromLittleEndian<qint32>(data + 22);
    const quint16 planes = qFromLittleEndian<quint16>(data + 26);
    const quint16 bitsPerPixel = qFromLittleEndian<quint16>(data + 28);
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    if (infoSize < 40 || planes != 1 || bitsPerPixel != 24 || compression != 0 || width <= 0 ||
        height == 0 || height == std::numeric_limits<qint32>::min())
        return std::nullopt;
    BmpRows rows;
    rows.m_width = width;
    rows.m_height = std::abs(height);
    rows.m_bottomUp = height > 0;
    rows.m_stride = (qsizetype(width) * 24 + 31) / 32 * 4;
    if (pixelOffset < 14 + infoSize ||
        qint64(pixelOffset) + qint64(rows.m_stride) * rows.m_height > bytes.size())
        return std::nullopt;
    rows.m_pixels = data + pixelOffset;
    return rows;
}

} // namespace imaging
