// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "imaging/bmp_codec.h"
#include "imaging/picture_loading.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 13) % 256, (x * y) % 256));
    return image;
}

QByteArray qtBmp(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

} // namespace

TEST(BmpCodec, EncodesWhatQtReadsBackPixelForPixelForEveryRowPadding)
{
    // Widths 1 … 4 cover every row padding of 24-bit rows.
    for (int width : {1, 2, 3, 4, 613}) {
        const QImage image = pattern({width, 5});
        const QByteArray bytes = imaging::encodeBmp(image);
        QImage read;
        ASSERT_TRUE(read.loadFromData(bytes, "BMP")) << width;
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image) << width;
        EXPECT_EQ(read.dotsPerMeterX(), 3780);
    }
}

TEST(BmpCodec, DecodesQtsOwnBmpFilesAndItsOwn)
{
    for (int width : {1, 3, 101}) {
        const QImage image = pattern({width, 7});
        for (const QByteArray& bytes : {qtBmp(image), imaging::encodeBmp(image)}) {
            std::optional<QImage> decoded = imaging::decodeBmp(bytes);
            ASSERT_TRUE(decoded) << width;
            EXPECT_EQ(decoded->convertToFormat(QImage::Format_RGB32), image) << width;
        }
    }
    const QImage bgr = pattern({9, 4}).convertToFormat(QImage::Format_BGR888);
    EXPECT_EQ(imaging::decodeBmp(imaging::encodeBmp(bgr)), bgr);
}

TEST(BmpCodec, DecodesThirtyTwoBitAndTopDownRowsAsOpaquePixels)
{
    const QImage image = pattern({5, 3});
    QByteArray bytes = imaging::encodeBmp(image);
    // Rewrite as a 32-bit top-down file with zero reserved bytes.
    QByteArray top(54, '\0');
    top.replace(0, 54, bytes.first(54));
    const qint32 negativeHeight = -3;
    const quint16 bits = 32;
    memcpy(top.data() + 22, &negativeHeight, 4);
    memcpy(top.data() + 28, &bits, 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const QRgb pixel = image.pixel(x, y);
            top.append(char(qBlue(pixel)))
                .append(char(qGreen(pixel)))
                .append(char(qRed(pixel)))
                .append('\0');
        }
    std::optional<QImage> decoded = imaging::decodeBmp(top);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->format(), QImage::Format_RGB32);
    EXPECT_EQ(*decoded, image);
}

TEST(BmpCodec, LeavesOtherLayoutsAndShortFilesToQt)
{
    const QImage image = pattern({8, 8});
    const QByteArray bytes = imaging::encodeBmp(image);
    EXPECT_FALSE(imaging::decodeBmp(bytes.first(bytes.size() - 1)));
    EXPECT_FALSE(imaging::decodeBmp(qtBmp(image.convertToFormat(QImage::Format_Grayscale8))));
    EXPECT_FALSE(imaging::decodeBmp("BM"));

    // An 8-bit grey scan still loads, through Qt.
    test_support::TemporaryWorkspace folder;
    folder.writeBytes(u"grey.bmp"_s, qtBmp(image.convertToFormat(QImage::Format_Grayscale8)));
    workspace::Expected<QImage> grey = imaging::loadPicture(folder.path(u"grey.bmp"_s));
    ASSERT_TRUE(grey) << grey.error().toStdString();
    EXPECT_EQ(grey->size(), QSize(8, 8));
}
