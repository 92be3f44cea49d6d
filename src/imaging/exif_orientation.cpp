// SPDX-License-Identifier: GPL-3.0-or-later
#include "exif_orientation.h"

#include <QtEndian>

namespace imaging {

namespace {

constexpr int kUpright = 1;
constexpr quint16 kOrientationTag = 0x0112;
constexpr quint16 kShortType = 3;

class TiffBytes {
public:
    TiffBytes(QByteArrayView bytes, bool bigEndian)
        : m_bytes(bytes)
        , m_bigEndian(bigEndian)
    {
    }

    [[nodiscard]] bool has(qsizetype offset, qsizetype length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_bytes.size() - length;
    }
    [[nodiscard]] quint16 u16(qsizetype offset) const
    {
        const auto* data = reinterpret_cast<const uchar*>(m_bytes.data()) + offset;
        return m_bigEndian ? qFromBigEndian<quint16>(data) : qFromLittleEndian<quint16>(data);
    }
    [[nodiscard]] quint32 u32(qsizetype offset) const
    {
        const auto* data = reinterpret_cast<const uchar*>(m_bytes.data()) + offset;
        return m_bigEndian ? qFromBigEndian<quint32>(data) : qFromLittleEndian<quint32>(data);
    }

private:
    QByteArrayView m_bytes;
    bool m_bigEndian;
};

// The orientation in the first directory of EXIF's TIFF structure.
int orientationInTiff(QByteArrayView tiff)
{
    if (tiff.size() < 8
        || (!tiff.startsWith(QByteArrayView("II*\0", 4))
            && !tiff.startsWith(QByteArrayView("MM\0*", 4))))
        return kUpright;
    const TiffBytes bytes(tiff, tiff[0] == 'M');
    const qsizetype directory = bytes.u32(4);
    if (!bytes.has(directory, 2))
        return kUpright;
    const int entries = bytes.u16(directory);
    for (int entry = 0; entry < entries; ++entry) {
        const qsizetype at = directory + 2 + qsizetype(entry) * 12;
        if (!bytes.has(at, 12))
            return kUpright;
        if (bytes.u16(at) != kOrientationTag)
            continue;
        const int value = bytes.u16(at + 8);
        return bytes.u16(at + 2) == kShortType && value >= 1 && value <= 8 ? value : kUpright;
    }
    return kUpright;
}

} // namespace

int exifOrientation(QByteArrayView jpeg)
{
    if (!jpeg.startsWith("\xFF\xD8"))
        return kUpright;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        if (uchar(jpeg[at]) != 0xFF)
            return kUpright;
        const uchar marker = uchar(jpeg[at + 1]);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        // The picture data begins: EXIF comes before it or not at all.
        if (marker == 0xDA || marker == 0xD9)
            return kUpright;
        const qsizetype length =
            qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(jpeg.data()) + at + 2);
        if (length < 2 || at + 2 + length > jpeg.size())
            return kUpright;
        const QByteArrayView segment = jpeg.sliced(at + 4, length - 2);
        if (marker == 0xE1 && segment.startsWith(QByteArrayView("Exif\0\0", 6)))
            return orientationInTiff(segment.sliced(6));
        at += 2 + length;
    }
    return kUpright;
}

} // namespace imaging
