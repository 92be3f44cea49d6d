// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "imaging/sheet_surface.h"

#include <gtest/gtest.h>

using test_support::solidImage;

TEST(SheetSurface, IsTheNaturalSizeWithThePictureAtTheTopLeftAndWhiteBeyond)
{
    const imaging::SheetSurface surface =
        imaging::SheetSurface::fromPicture(solidImage({1654, 2339}, Qt::black));
    EXPECT_EQ(surface.pictureSize(), QSize(1654, 2339));
    EXPECT_NEAR(surface.sizeTwips().width(), 43762 / 1.755, 1e-6);
    EXPECT_NEAR(surface.sizeTwips().height(), 61886 / 1.755, 1e-6);
    // 24935.6 and 35262.7 twips: 1662 × 2351 pixels.
    EXPECT_EQ(surface.image().size(), QSize(1662, 2351));
    EXPECT_EQ(surface.image().pixel(1653, 2338), qRgb(0, 0, 0));
    EXPECT_EQ(surface.image().pixel(1654, 100), qRgb(255, 255, 255));
    EXPECT_EQ(surface.image().pixel(100, 2339), qRgb(255, 255, 255));
}

TEST(SheetSurface, RendersScaledToExactlyTheDisplaySize)
{
    const imaging::SheetSurface surface =
        imaging::SheetSurface::fromPicture(solidImage({200, 400}, Qt::red));
    const QImage display = imaging::renderScaled(surface, {100, 200});
    EXPECT_EQ(display.size(), QSize(100, 200));
    EXPECT_EQ(display.format(), QImage::Format_RGB32);
    EXPECT_EQ(display.pixel(10, 10), qRgb(255, 0, 0));

    const QImage empty = imaging::renderScaled(imaging::SheetSurface(), {50, 60});
    EXPECT_EQ(empty.size(), QSize(50, 60));
    EXPECT_TRUE(imaging::renderScaled(surface, {0, 0}).isNull());
}
