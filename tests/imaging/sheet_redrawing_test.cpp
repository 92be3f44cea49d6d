// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "imaging/sheet_redrawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Waves of colour, of other lengths and directions in each channel: a pixel taken from the wrong
// place or a colour from the wrong byte shows, as on a scan, where colours change by a few
// levels from one pixel to the next rather than at random.
QImage waves(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    const auto wave = [](double x, double y, double across, double down, double phase) {
        return static_cast<int>(std::lround(128 + 100 * std::sin(across * x + down * y + phase)));
    };
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           qRgb(wave(x, y, -0.21, 0.17, 2), wave(x, y, 0.16, -0.24, 1),
                                wave(x, y, 0.27, 0.12, 0)));
    return image;
}

// The scan's colour at a point, blended bilinearly in full precision, white beyond its edges.
QRgb blendedAt(const QImage& scan, QPointF point)
{
    const double left = std::floor(point.x());
    const double top = std::floor(point.y());
    const double across = point.x() - left;
    const double down = point.y() - top;
    const auto channel = [&scan](int x, int y, int shift) -> double {
        if (x < 0 || y < 0 || x >= scan.width() || y >= scan.height())
            return 255;
        return (scan.pixel(x, y) >> shift) & 0xff;
    };
    const int x = static_cast<int>(left);
    const int y = static_cast<int>(top);
    int colours[3];
    for (int index = 0; index < 3; ++index) {
        const int shift = 8 * index;
        const double upper =
            channel(x, y, shift) * (1 - across) + channel(x + 1, y, shift) * across;
        const double lower =
            channel(x, y + 1, shift) * (1 - across) + channel(x + 1, y + 1, shift) * across;
        colours[index] = static_cast<int>(std::lround(upper * (1 - down) + lower * down));
    }
    return qRgb(colours[2], colours[1], colours[0]);
}

} // namespace

TEST(SheetRedrawing, EveryPixelIsTheBilinearBlendOfTheScanWithWhiteBeyondItsEdges)
{
    // An odd width leaves padding at each row's end of a 24-bit BMP.
    const QSize page(61, 47);
    const QImage scan = waves({58, 50});
    const QTransform placements[] = {
        QTransform::fromTranslate(2.25, -1.5),
        QTransform().translate(30, 24).rotate(3.5).scale(1.03, 1.03).translate(-28, -22.6),
        QTransform().translate(30, 24).rotate(180.7).translate(-31.2, -25),
    };
    // A bottom-up BMP of three bytes a pixel, as the workspace stores sheets, and a top-down
    // picture of four.
    const QByteArray bmp = imaging::encodeBmp(scan);
    const QImage topDown = scan.convertToFormat(QImage::Format_RGB32);
    const imaging::SheetPixels sources[] = {*imaging::SheetPixels::fromBmp(bmp, 200),
                                            *imaging::SheetPixels::fromImage(topDown, 200)};
    for (const QTransform& referenceToScan : placements)
        for (const imaging::SheetPixels& source : sources) {
            const QByteArray redrawn = imaging::alignedBmp(source, referenceToScan, page);
            const std::optional<imaging::BmpLayout> layout =
                imaging::uncompressedBmpLayout(redrawn);
            ASSERT_TRUE(layout);
            for (int y = 0; y < page.height(); ++y) {
                const qsizetype row = layout->rowOffset(y);
                for (qsizetype padding = page.width() * 3; padding < layout->stride; ++padding)
                    ASSERT_EQ(redrawn[row + padding], '\0');
                for (int x = 0; x < page.width(); ++x) {
                    const QRgb expected = blendedAt(scan, referenceToScan.map(QPointF(x, y)));
                    const auto* pixel =
                        reinterpret_cast<const uchar*>(redrawn.constData()) + row + x * 3;
                    ASSERT_LE(std::abs(pixel[0] - qBlue(expected)), 3) << x << "," << y;
                    ASSERT_LE(std::abs(pixel[1] - qGreen(expected)), 3) << x << "," << y;
                    ASSERT_LE(std::abs(pixel[2] - qRed(expected)), 3) << x << "," << y;
                }
            }
        }
}
