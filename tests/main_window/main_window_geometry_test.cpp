// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/main_window_geometry.h"

#include <gtest/gtest.h>

using namespace main_window;

TEST(MainWindowGeometry, FullHdScreen)
{
    const MainWindowGeometry geometry = mainWindowGeometry({28800, 16200});
    EXPECT_EQ(geometry.window, QRectF(10, 10, 28750, 15700));
    EXPECT_EQ(geometry.frame, QRectF(0, 14350, 28250, 1005));
    EXPECT_EQ(geometry.exitLeft, 28250 - 1485 - 200);
    EXPECT_EQ(geometry.reduceLeft, geometry.exitLeft - 10);
    EXPECT_EQ(geometry.enlargeLeft, geometry.reduceLeft + 735 + 10);

    const QRectF view = fittedSheetView(geometry.window.width(), {1654, 2339}, 0);
    EXPECT_EQ(view.width(), 27750);
    EXPECT_EQ(view.left(), 500);
    EXPECT_NEAR(view.height(), 27750 * 2339.0 / 1654.0, 1e-6);
}

TEST(MainWindowGeometry, ASheetTwiceAsTallGetsAViewTwiceAsTall)
{
    const QRectF view = fittedSheetView(28750, {1000, 2000}, 120);
    EXPECT_EQ(view.height(), 2 * view.width());
    EXPECT_EQ(view.top(), 120);

    const QRectF bar = sheetScrollBarRect({28750, 15700}, 285);
    EXPECT_EQ(bar, QRectF(28750 - 285 - 100, 0, 285, 14200));
    const workspace::ScrollSettings settings =
        sheetScrollSettings(view.height(), bar.height(), 15700);
    EXPECT_EQ(settings.maximum, 55500 - 14200);
    EXPECT_EQ(settings.minimum, 0);
    EXPECT_EQ(settings.largeStep, 9420);
    EXPECT_EQ(settings.smallStep, 942);
}

TEST(MainWindowGeometry, ScrollStepsRoundHalvesToEvenAndShortViewsDoNotScroll)
{
    // 0.6 × 15725 = 9435, a tenth of which, 943.5, rounds to 944.
    EXPECT_EQ(sheetScrollSettings(100, 200, 15725), (workspace::ScrollSettings{0, 0, 9435, 944}));
    // 200.5 − 100 = 100.5 → 100.
    EXPECT_EQ(sheetScrollSettings(200.5, 100, 15725).maximum, 100);
}

TEST(MainWindowGeometry, TheViewTopIsThreeMinusTheScrollValue)
{
    EXPECT_EQ(sheetViewTop(0), 3);
    EXPECT_EQ(sheetViewTop(1000), -997);
}
