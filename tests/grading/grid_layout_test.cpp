// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading/grading_window_geometry.h"
#include "grading/grid_layout.h"

#include <gtest/gtest.h>

using namespace grading;

TEST(GridLayout, CellsFillRowsOfTheColumnCountLeftToRight)
{
    // 100 × 60 pixels: 1500 twips wide, pitch (60 + 5) × 15.5 = 1007.5, gap 500.
    const GridMetrics metrics{100, 60, 1.0f, 3, CommentDisplay::Hidden};
    const struct {
        int position;
        double left;
        double top;
    } cases[] = {
        {0, 50, 100},  {1, 2050, 100},    {2, 4050, 100},      {3, 50, 1107.5},
        {6, 50, 2115}, {5, 4050, 1107.5}, {-1, -1950, -907.5},
    };
    for (const auto& test : cases) {
        const CellGeometry cell = cellGeometry(metrics, test.position);
        EXPECT_DOUBLE_EQ(cell.image.left(), test.left) << test.position;
        EXPECT_DOUBLE_EQ(cell.image.top(), test.top) << test.position;
        EXPECT_EQ(cell.image.size(), QSizeF(1500, 900));
    }
}

TEST(GridLayout, RowPitchIsFixedForLowAnswersWhateverTheZoom)
{
    const float enlarged = static_cast<float>(1.0 * 1.17);
    const float twiceEnlarged = static_cast<float>(double(enlarged) * 1.17);
    const struct {
        int height;
        float zoom;
        double pitch;
    } cases[] = {
        {30, 1.0f, 679.5},
        {30, enlarged, 679.5}, // 35.1 is still not above 40
        {30, twiceEnlarged, 35 * 15.5 * double(twiceEnlarged)},
        {40, 1.0f, 679.5},
        {41, 1.0f, 46 * 15.5},
        {200, 0.85f, 205 * 15.5 * double(0.85f)},
    };
    for (const auto& test : cases)
        EXPECT_DOUBLE_EQ(rowPitch(test.height, test.zoom), test.pitch)
            << test.height << " at " << test.zoom;
}

TEST(GridLayout, ShowingCommentsWidensTheGapAndMovesTheUnitBesideTheScore)
{
    const CellGeometry hidden = cellGeometry({100, 60, 1.0f, 2, CommentDisplay::Hidden}, 1);
    const CellGeometry shown = cellGeometry({100, 60, 1.0f, 2, CommentDisplay::Shown}, 1);

    EXPECT_DOUBLE_EQ(hidden.image.left(), 1500 + 50 + 500);
    EXPECT_DOUBLE_EQ(shown.image.left(), 1500 + 50 + 2000);
    EXPECT_EQ(shown.frame, QRectF(3500, 40, 1600, 1000));
    EXPECT_EQ(shown.scoreBox, QRectF(5100, 100, 345, 285));
    EXPECT_EQ(shown.unitLabel, QRectF(5495, 120, 195, 195));
    EXPECT_EQ(shown.nameLabel, QRectF(5790, 120, 780, 195));
    EXPECT_EQ(shown.commentBox, QRectF(5100, 435, 1725, 315));
    // Under the score box, a third of its width in.
    EXPECT_EQ(hidden.unitLabel, QRectF(3600 + 115, 435, 195, 195));
}

TEST(GridLayout, ZoomScalesTheImageAndItsColumnsButNotTheGap)
{
    const CellGeometry cell = cellGeometry({100, 60, 0.5f, 4, CommentDisplay::Hidden}, 2);
    EXPECT_DOUBLE_EQ(cell.image.left(), 0.5 * 3000 + 50 + 1000);
    EXPECT_EQ(cell.image.size(), QSizeF(750, 450));
}

TEST(GridLayout, WideRegionsAndManyColumnsLayOutWithoutWrapping)
{
    const CellGeometry wide = cellGeometry({3000, 60, 1.0f, 2, CommentDisplay::Hidden}, 1);
    EXPECT_DOUBLE_EQ(wide.image.left(), 45000 + 50 + 500);
    EXPECT_DOUBLE_EQ(wide.image.width(), 45000);
    const CellGeometry farColumn = cellGeometry({10, 60, 1.0f, 40, CommentDisplay::Shown}, 20);
    EXPECT_DOUBLE_EQ(farColumn.image.left(), 20 * 150 + 50 + 20 * 2000);
}

TEST(GradingWindowGeometry, FollowsTheScreenWithTheTwoDivisors)
{
    // An 800 × 800 pixel screen is 12000 twips square.
    const GradingWindowGeometry geometry = gradingWindowGeometry(QSizeF(12000, 12000), 14);
    EXPECT_EQ(geometry.window, QRect(0, 0, 767, 600));
    EXPECT_EQ(geometry.panel, QRect(762 - 140, 0, 140, 600));
    EXPECT_EQ(geometry.stripBar, QRect(66, 0, 14, 576));
    EXPECT_EQ(geometry.canvasBar, QRect(608, 0, 14, 576));
    EXPECT_EQ(geometry.horizontalBar, QRect(80, 562, 528, 14));
    EXPECT_EQ(geometry.canvasArea, QRect(80, 0, 528, 562));
    EXPECT_EQ(geometry.verticalLargeStep, 480);
    EXPECT_EQ(geometry.verticalSmallStep, 48);
}

TEST(GradingWindowGeometry, ThePaletteStandsBesideTheWindowOnlyWhenTheDesktopHasRoom)
{
    const QSize palette(186, 297);
    const QRect screen(0, 0, 800, 800);
    const GradingWindowGeometry geometry = gradingWindowGeometry(QSizeF(12000, 12000), 14);
    // Beside the window it would stand at 768, with 32 of its 186 pixels on the screen.
    EXPECT_EQ(palettePosition(screen, screen, geometry, palette), QPoint(608 - 186, 1));
    // With a second screen to the right it stands just right of the window: 11520 / 15.
    EXPECT_EQ(palettePosition(screen, QRect(0, 0, 1600, 800), geometry, palette), QPoint(768, 1));

    EXPECT_EQ(scrollMaximum(1000, 576), 424);
    EXPECT_EQ(scrollMaximum(300, 576), 0);
}
