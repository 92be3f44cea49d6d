// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/region_geometry.h"
#include "main_window/region_marker.h"

#include <gtest/gtest.h>

using namespace main_window;

TEST(RegionMarking, APressIsConvertedByFifteenPointOneWithRowsFromTheBottom)
{
    struct Case {
        QPointF twips;
        double viewHeight;
        QPoint pixel;
    };
    const Case cases[] = {
        // 1510 / 15.1 = 100; (15000 − 300) / 15.1 = 973.51.
        {{1510, 300}, 15000, {100, 974}},
        // 37.75 / 15.1 = 2.5 and 52.85 / 15.1 = 3.5: halves go to the even neighbour.
        {{37.75, 15000 - 52.85}, 15000, {2, 4}},
        {{0, 15000}, 15000, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(displayPixelForPress(c.twips, c.viewHeight), c.pixel) << c.twips.x();
}

TEST(RegionMarking, TheWorkedRegionIsStoredAsInTheRegionFile)
{
    // Corners at columns 100 and 400, rows 900 and 700, display scale 0.5, display 1000 high.
    for (const auto& [first, second] : {std::pair{QPoint(100, 900), QPoint(400, 700)},
                                        std::pair{QPoint(400, 700), QPoint(100, 900)},
                                        std::pair{QPoint(100, 700), QPoint(400, 900)}}) {
        const DisplayRect painted = paintedRectangle(first, second);
        EXPECT_EQ(painted, (DisplayRect{98, 698, 402, 902}));
        EXPECT_EQ(sheetRegion(painted, 0.5, 1000), (workspace::RegionRect{196, 608, 808, 196}));
    }
}

TEST(RegionMarking, SheetCoordinatesRoundDownAndStayWithinSixteenBits)
{
    // (1000.5 − 0) / 0.75 = 1334; 3 / 0.75 = 4; −2 / 0.75 = −2.67 → −3.
    EXPECT_EQ(sheetRegion({-2, 2, 1, 999}, 0.75, 1000.5), (workspace::RegionRect{-3, 1334, 4, 2}));
    EXPECT_EQ(sheetRegion({0, -100, 40000, 10}, 1.0, 40000),
              (workspace::RegionRect{0, 32767, 32767, 32767}));
}

TEST(RegionMarking, TwoPressesMakeARectangleAndAFirstPressOnTheOriginIsForgotten)
{
    RegionMarker marker;
    EXPECT_FALSE(marker.press({0, 0}));
    EXPECT_FALSE(marker.hasFirstCorner());

    EXPECT_FALSE(marker.press({5, 0}));
    EXPECT_TRUE(marker.hasFirstCorner());
    const std::optional<RegionMarker::Corners> corners = marker.press({0, 0});
    ASSERT_TRUE(corners);
    EXPECT_EQ(corners->first, QPoint(5, 0));
    EXPECT_EQ(corners->second, QPoint(0, 0));
    EXPECT_FALSE(marker.hasFirstCorner());
    EXPECT_FALSE(marker.press({7, 8}));
}
