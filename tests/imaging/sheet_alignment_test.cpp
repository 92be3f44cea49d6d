// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "imaging/sheet_alignment.h"
#include "imaging/sheet_redrawing.h"
#include "scan_files.h"

#include <gtest/gtest.h>

#include <cmath>

using imaging::AlignmentReference;
using imaging::SheetAlignment;
using imaging::SheetPixels;
using test_support::SheetForm;

namespace {

// A5 at 200 dpi: big enough for the working resolution, quick to draw.
constexpr QSize kPage{1166, 1654};
constexpr double kDotsPerInch = 200;

QTransform placement(QPointF shift, double degrees, double scale, bool upsideDown)
{
    const QPointF centre(kPage.width() / 2.0, kPage.height() / 2.0);
    QTransform transform;
    transform.translate(centre.x() + shift.x(), centre.y() + shift.y());
    transform.rotate(degrees + (upsideDown ? 180 : 0));
    transform.scale(scale, scale);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

SheetPixels pixelsOf(const QImage& image)
{
    return *SheetPixels::fromImage(image, kDotsPerInch);
}

// The farthest a point of the page lands from where the known placement puts it.
double worstError(const QTransform& found, const QTransform& truth)
{
    double worst = 0;
    for (int y = 0; y <= kPage.height(); y += kPage.height() / 4)
        for (int x = 0; x <= kPage.width(); x += kPage.width() / 4) {
            const QPointF error = found.map(QPointF(x, y)) - truth.map(QPointF(x, y));
            worst = std::max(worst, std::hypot(error.x(), error.y()));
        }
    return worst;
}

} // namespace

TEST(SheetAlignment, RecoversShiftTurnScaleAndUpsideDownFromThePrintedForm)
{
    const QImage reference = test_support::formSheet(kPage, 1);
    const AlignmentReference form = AlignmentReference::fromSheet(pixelsOf(reference));
    ASSERT_TRUE(form.hasForm());
    struct Case {
        QPointF shift;
        double degrees;
        double scale;
        bool upsideDown;
    };
    // Up to 8 mm (63 pixels) and 2 degrees, as a careless feeder lays sheets.
    const Case cases[] = {
        {{30, -45}, 0, 1, false},      {{-60, 20}, 1.8, 1, false}, {{15, 40}, -1.2, 1.02, false},
        {{25, -10}, 0.7, 0.985, true}, {{-50, -60}, -2, 1, true},
    };
    int seed = 2;
    for (const Case& tried : cases) {
        const QTransform where =
            placement(tried.shift, tried.degrees, tried.scale, tried.upsideDown);
        const QImage scan = test_support::placed(test_support::formSheet(kPage, seed++), where);
        const SheetAlignment alignment = form.align(pixelsOf(scan));
        ASSERT_EQ(alignment.outcome, SheetAlignment::Outcome::Aligned)
            << tried.shift.x() << "," << tried.shift.y() << " " << tried.degrees;
        EXPECT_EQ(alignment.upsideDown, tried.upsideDown);
        EXPECT_GT(alignment.confidence, 0.8);
        EXPECT_LT(worstError(alignment.referenceToScan, test_support::pixelMap(where)), 1.5)
            << tried.shift.x() << "," << tried.shift.y() << " " << tried.degrees;
    }
}

TEST(SheetAlignment, RefusesAnotherFormAndABlankPageAndHasNothingToOfferFromABlankFirstSheet)
{
    const AlignmentReference form =
        AlignmentReference::fromSheet(pixelsOf(test_support::formSheet(kPage, 1)));
    const SheetAlignment other = form.align(pixelsOf(test_support::placed(
        test_support::formSheet(kPage, 2, SheetForm::Other), placement({20, 10}, 0.5, 1, false))));
    EXPECT_EQ(other.outcome, SheetAlignment::Outcome::NotConfident);
    EXPECT_LT(other.confidence, 0.5);

    const QImage blank = test_support::blankBack(kPage, 3);
    EXPECT_EQ(form.align(pixelsOf(blank)).outcome, SheetAlignment::Outcome::NoForm);
    EXPECT_FALSE(AlignmentReference::fromSheet(pixelsOf(blank)).hasForm());
}

TEST(SheetAlignment, RedrawsTheScanOntoTheReferencePageWithWhiteOutsideIt)
{
    const QImage reference = test_support::formSheet(kPage, 1);
    const QTransform where = placement({40, 30}, 1.0, 1, false);
    const QImage scan = test_support::placed(test_support::formSheet(kPage, 5), where);
    // A bottom-up BMP as the workspace stores it, read in place.
    const QByteArray bmp = imaging::encodeBmp(scan);
    const SheetPixels pixels = *SheetPixels::fromBmp(bmp, kDotsPerInch);
    ASSERT_TRUE(pixels.bottomUp);
    const SheetAlignment alignment =
        AlignmentReference::fromSheet(pixelsOf(reference)).align(pixels);
    ASSERT_EQ(alignment.outcome, SheetAlignment::Outcome::Aligned);

    const QByteArray alignedBytes = imaging::alignedBmp(pixels, alignment.referenceToScan, kPage);
    const std::optional<QImage> aligned = imaging::decodeBmp(alignedBytes);
    ASSERT_TRUE(aligned);
    ASSERT_EQ(aligned->size(), kPage);
    // The printed rules lie where the reference has them: the two pictures differ only in the
    // handwriting, far less than the scan as it lay.
    const auto difference = [&reference](const QImage& image) {
        qint64 sum = 0;
        for (int y = 0; y < kPage.height(); y += 3)
            for (int x = 0; x < kPage.width(); x += 3)
                sum += std::abs(qGray(reference.pixel(x, y)) - qGray(image.pixel(x, y)));
        return sum;
    };
    EXPECT_LT(difference(*aligned) * 2, difference(scan));
    // The sheet lay down and right in its scan: the page's bottom right corner lies beyond it.
    EXPECT_EQ(aligned->pixel(kPage.width() - 1, kPage.height() - 1), qRgb(255, 255, 255));

    EXPECT_EQ(imaging::largestMove(QTransform(), kPage), 0.0);
    EXPECT_LT(imaging::largestMove(QTransform::fromTranslate(0.3, 0.2), kPage), 0.5);
    EXPECT_GT(imaging::largestMove(QTransform().rotate(0.1), kPage), 0.5);
}
