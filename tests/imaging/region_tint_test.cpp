// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/region_tint.h"
#include "temporary_workspace.h"

#include <gtest/gtest.h>

using test_support::solidImage;

TEST(RegionTint, HalvesBlueAndGreenAndMovesRedHalfwayToFull)
{
    const std::pair<QRgb, QRgb> cases[] = {
        {qRgb(255, 255, 255), qRgb(255, 127, 127)},
        {qRgb(255, 127, 127), qRgb(255, 63, 63)},
        {qRgb(0, 0, 0), qRgb(127, 0, 0)},
        {qRgb(10, 201, 99), qRgb(132, 100, 49)},
    };
    for (const auto& [before, after] : cases)
        EXPECT_EQ(imaging::tinted(before), after) << std::hex << before;
}

TEST(RegionTint, AddressesRowsFromTheBottomAndSkipsWhatLiesOutside)
{
    QImage surface = solidImage({10, 8}, Qt::white);
    // Columns 1 … 3 of the two lowest rows, and a dot whose square reaches past the top-left.
    imaging::tintRect(surface, 1, 3, 0, 1);
    imaging::tintDot(surface, 0, 7);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb pink = qRgb(255, 127, 127);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inRect = x >= 1 && x <= 3 && y >= 6;
            const bool inDot = x <= 2 && y <= 2;
            EXPECT_EQ(surface.pixel(x, y), inRect || inDot ? pink : white) << x << "," << y;
        }
    }
    QImage empty;
    imaging::tintDot(empty, 0, 0);
    EXPECT_TRUE(empty.isNull());
}

TEST(RegionTint, ARectangleWithItsCornerDotsComesOutDarkerAtTheCorners)
{
    QImage surface = solidImage({40, 40}, Qt::white);
    imaging::tintDot(surface, 10, 10);
    imaging::tintDot(surface, 30, 20);
    imaging::tintRect(surface, 8, 32, 8, 22);
    const auto atRow = [&](int x, int rowFromBottom) {
        return surface.pixel(x, 39 - rowFromBottom);
    };
    EXPECT_EQ(atRow(10, 10), qRgb(255, 63, 63));
    EXPECT_EQ(atRow(32, 22), qRgb(255, 63, 63));
    EXPECT_EQ(atRow(20, 15), qRgb(255, 127, 127));
    EXPECT_EQ(atRow(33, 15), qRgb(255, 255, 255));
}
