// SPDX-License-Identifier: GPL-3.0-or-later
#include "bmp_codec.h"

#include <QBuffer>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace imaging {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

template <typename T> void put(uchar* destination, T value)
{
    qToLittleEndian(value, destination);
}

// Row y of the image, counted from the top, as blue, green and red bytes.
void encodeRow(const QImage& source, int y, uchar* row)
{
    const int width = source.width();
    if (source.format() == QImage::Format_BGR888) {
        std::memcpy(row, source.constScanLine(y), size_t(width) * 3);
        return;
    }
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    for (int x = 0; x < width; ++x) {
        row[3 * x] = static_cast<uchar>(qBlue(in[x]));
        row[3 * x + 1] = static_cast<uchar>(qGreen(in[x]));
        row[3 * x + 2] = static_cast<uchar>(qRed(in[x]));
    }
}

} // namespace

qsizetype bmpStride(int width, int bitsPerPixel)
{
    return (qsizetype(width) * bitsPerPixel + 31) / 32 * 4;
}

QByteArray bmpHeaders(int width, int height)
{
    const qsizetype pixelBytes = bmpStride(width, 24) * height;
    QByteArray headers(kBmpHeadersSize, '\0');
    auto* data = reinterpret_cast<uchar*>(headers.data());
    data[0] = 'B';
    data[1] = 'M';
    put<quint32>(data + 2, static_cast<quint32>(kBmpHeadersSize + pixelBytes));
    put<quint32>(data + 10, kBmpHeadersSize);
    put<quint32>(data + 14, kInfoHeaderSize);
    put<qint32>(data + 18, width);
    put<qint32>(data + 22, height);
    put<quint16>(data + 26, 1);
    put<quint16>(data + 28, 24);
    put<quint32>(data + 34, static_cast<quint32>(pixelBytes));
    // 96 dots per inch, as 3780 dots per metre.
    put<qint32>(data + 38, 3780);
    put<qint32>(data + 42, 3780);
    return headers;
}

bool writeBmp(const QImage& image, QIODevice& device)
{
    const QImage source = image.format() == QImage::Format_BGR888
                                  || image.format() == QImage::Format_RGB32
                                  || image.format() == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    const qsizetype stride = bmpStride(source.width(), 24);
    const QByteArray headers = bmpHeaders(source.width(), source.height());
    if (device.write(headers) != headers.size())
        return false;
    const int rowsPerChunk = static_cast<int>(std::max<qsizetype>(1, kWriteChunk / stride));
    QByteArray chunk(stride * rowsPerChunk, '\0');
    // Bottom-up: the file starts with the image's last row.
    for (int last = source.height() - 1; last >= 0; last -= rowsPerChunk) {
        const int rows = std::min(rowsPerChunk, last + 1);
        auto* out = reinterpret_cast<uchar*>(chunk.data());
        for (int index = 0; index < rows; ++index)
            encodeRow(source, last - index, out + stride * index);
        if (device.write(chunk.constData(), stride * rows) != stride * rows)
            return false;
    }
    return true;
}

QByteArray encodeBmp(const QImage& image)
{
    QByteArray bytes;
    bytes.reserve(kBmpHeadersSize + bmpStride(image.width(), 24) * image.height());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeBmp(image, buffer))
        return {};
    return bytes;
}

std::optional<BmpHeaderInfo> bmpHeaderInfo(QByteArrayView firstBytes)
{
    if (firstBytes.size() < kBmpHeadersSize || firstBytes[0] != 'B' || firstBytes[1] != 'M')
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(firstBytes.data());
    const qint32 width = qFromLittleEndian<qint32>(data + 18);
    const qint32 height = qFromLittleEndian<qint32>(data + 22);
    if (qFromLittleEndian<quint32>(data + 14) < kInfoHeaderSize || width <= 0 || height == 0
        || height == std::numeric_limits<qint32>::min())
        return std::nullopt;
    return BmpHeaderInfo{{width, std::abs(height)},
                         std::max(0, qFromLittleEndian<qint32>(data + 38))};
}

std::optional<BmpLayout> uncompressedBmpLayout(QByteArrayView bytes)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(data + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(data + 14);
    const qint32 width = qFromLittleEndian<qint32>(data + 18);
    const qint32 signedHeight = qFromLittleEndian<qint32>(data + 22);
    const quint16 planes = qFromLittleEndian<quint16>(data + 26);
    const quint16 bitsPerPixel = qFromLittleEndian<quint16>(data + 28);
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    if (infoSize < kInfoHeaderSize || planes != 1 || compression != 0 || width <= 0
        || signedHeight == 0 || signedHeight == std::numeric_limits<qint32>::min()
        || (bitsPerPixel != 24 && bitsPerPixel != 32))
        return std::nullopt;
    BmpLayout layout;
    layout.width = width;
    layout.height = std::abs(signedHeight);
    layout.bitsPerPixel = bitsPerPixel;
    layout.bottomUp = signedHeight > 0;
    layout.pixelOffset = pixelOffset;
    layout.stride = bmpStride(width, bitsPerPixel);
    if (pixelOffset < kFileHeaderSize + infoSize
        || qint64(pixelOffset) + qint64(layout.stride) * layout.height > bytes.size())
        return std::nullopt;
    return layout;
}

std::optional<QImage> decodeBmp(QByteArrayView bytes)
{
    const std::optional<BmpLayout> layout = uncompressedBmpLayout(bytes);
    if (!layout)
        return std::nullopt;
    const bool twentyFourBits = layout->bitsPerPixel == 24;
    QImage image(layout->width, layout->height,
                 twentyFourBits ? QImage::Format_BGR888 : QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    for (int y = 0; y < layout->height; ++y) {
        const uchar* row = data + layout->rowOffset(y);
        uchar* out = image.scanLine(y);
        if (twentyFourBits) {
            std::memcpy(out, row, size_t(layout->width) * 3);
            continue;
        }
        auto* pixels = reinterpret_cast<QRgb*>(out);
        for (int x = 0; x < layout->width; ++x)
            pixels[x] = 0xFF000000u | qFromLittleEndian<quint32>(row + 4 * x);
    }
    return image;
}

} // namespace imaging
