// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QImage>
#include <QSize>

#include <optional>

// The uncompressed BMP layouts the workspace writes, read and written directly. Qt's own BMP
// handler converts pixel by pixel through several layers and is the bottleneck of import,
// cutting and result computation on hundreds of sheets; rows here are copied whole.
namespace imaging {

// Where the pixel rows of an uncompressed 24- or 32-bit BMP lie in its bytes.
struct BmpLayout {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool bottomUp = true;
    qsizetype pixelOffset = 0;
    qsizetype stride = 0;

    // The offset of row y counted from the top.
    [[nodiscard]] qsizetype rowOffset(int y) const
    {
        return pixelOffset + stride * (bottomUp ? height - 1 - y : y);
    }
};

// The layout of an uncompressed 24- or 32-bit BMP whose rows all lie within the bytes; nothing
// for any other layout, a header that does not add up, or a file cut short.
[[nodiscard]] std::optional<BmpLayout> uncompressedBmpLayout(QByteArrayView bytes);

// What the headers of a BMP with an info header of 40 bytes or more say about its picture.
struct BmpHeaderInfo {
    QSize size;
    int pixelsPerMetre = 0; // horizontal; 0 when the file gives none
};

// Reads the size and resolution from the first bytes of a BMP file (54 are enough); nothing for
// another format or an older, shorter header.
[[nodiscard]] std::optional<BmpHeaderInfo> bmpHeaderInfo(QByteArrayView firstBytes);

// The bytes of the file and info headers of a 24-bit BMP.
inline constexpr int kBmpHeadersSize = 54;

// Handing the kernel a whole 12 MB sheet in one write() measured several times slower than the
// same bytes in pieces of a megabyte.
inline constexpr qsizetype kWriteChunk = 1 << 20;

// The bytes of a row of `width` pixels at `bitsPerPixel`, padded to four bytes.
[[nodiscard]] qsizetype bmpStride(int width, int bitsPerPixel);

// The headers of a 24-bit, bottom-up, uncompressed BMP of the given size at 96 dots per inch.
[[nodiscard]] QByteArray bmpHeaders(int width, int height);

// Writes the image as a 24-bit, bottom-up, uncompressed BMP a megabyte at a time, so that the
// whole file is never held in memory; false when the device refuses a write.
[[nodiscard]] bool writeBmp(const QImage& image, QIODevice& device);

// The bytes writeBmp writes.
[[nodiscard]] QByteArray encodeBmp(const QImage& image);

// Decodes an uncompressed 24- or 32-bit BMP (bottom-up or top-down); 24-bit pixels come back
// as Format_BGR888, 32-bit as Format_RGB32. Nothing for any other layout, a header that does
// not add up, or a file cut short: the caller then goes through QImageReader.
[[nodiscard]] std::optional<QImage> decodeBmp(QByteArrayView bytes);

} // namespace imaging
