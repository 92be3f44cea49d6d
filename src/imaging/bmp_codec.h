#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

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

// A 24-bit, bottom-up, uncompressed BMP of the image.
[[nodiscard]] QByteArray encodeBmp(const QImage& image);

// Decodes an uncompressed 24- or 32-bit BMP (bottom-up or top-down); 24-bit pixels come back
// as Format_BGR888, 32-bit as Format_RGB32. Nothing for any other layout, a header that does
// not add up, or a file cut short: the caller then goes through QImageReader.
[[nodiscard]] std::optional<QImage> decodeBmp(QByteArrayView bytes);

} // namespace imaging
