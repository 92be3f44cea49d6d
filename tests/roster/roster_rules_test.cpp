// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/cutout_listing.h"
#include "roster/name_moves.h"
#include "roster/roster_window_geometry.h"
#include "roster/row_layout.h"
#include "temporary_workspace.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void expectRect(const QRectF& actual, const QRectF& expected, const char* what)
{
    EXPECT_NEAR(actual.left(), expected.left(), 0.01) << what;
    EXPECT_NEAR(actual.top(), expected.top(), 0.01) << what;
    EXPECT_NEAR(actual.width(), expected.width(), 0.01) << what;
    EXPECT_NEAR(actual.height(), expected.height(), 0.01) << what;
}

} // namespace

TEST(CutoutListing, RowsRunWhileTheNextSheetNumberTurnsUpInListingOrder)
{
    const std::pair<QStringList, int> cases[] = {
        {QStringList{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s, u"004.bmp"_s, u"005.bmp"_s,
                     u"007.bmp"_s},
         5},
        {QStringList{u"002.bmp"_s, u"001.bmp"_s}, 1},
        {QStringList{u"001.bmp"_s, u"x.bmp"_s, u"002.bmp"_s, u"002.bmp"_s, u"003.bmp"_s}, 3},
        {QStringList{u"001.BMP"_s, u"1.bmp"_s, u"01.bmp"_s, u"0001.bmp"_s}, 0},
        {{}, 0},
    };
    for (const auto& [listing, rows] : cases)
        EXPECT_EQ(roster::sheetRowCount(listing), rows) << listing.join(u' ').toStdString();
}

TEST(CutoutListing, ListsTheBitmapsOfAFolderInNameOrder)
{
    test_support::TemporaryWorkspace folder;
    for (const QString& name :
         {u"003.bmp"_s, u"010.bmp"_s, u"001.bmp"_s, u"002.bmp"_s, u"memo.txt"_s})
        folder.writeBytes(u"furiwake/001/"_s + name, "x");

    const QStringList listing = roster::listCutouts(folder.path(u"furiwake/001"_s));
    EXPECT_EQ(listing, (QStringList{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s, u"010.bmp"_s}));
    EXPECT_EQ(roster::sheetRowCount(listing), 3);
    EXPECT_TRUE(roster::listCutouts(folder.path(u"furiwake/002"_s)).isEmpty());
}

TEST(RowLayout, StacksRowsByTheImageSizingRuleAndTheZoom)
{
    // 300 × 60 pixels: 7938 × 1588 hundredths of a millimetre, / 1.755 in twips.
    const QSizeF natural(7938 / 1.755, 1588 / 1.755);
    const QList<roster::RowGeometry> rows = roster::layoutRows({natural, natural}, 1.0f);
    ASSERT_EQ(rows.size(), 2);
    expectRect(rows[0].image, {45, 10, 4523.08, 904.84}, "image 1");
    expectRect(rows[0].nameBox, {4618.08, 60, 1545, 285}, "name box 1");
    expectRect(rows[0].frame, {4568.08, 0, 1645, 385}, "frame 1");
    // 904.84 + 10 + 50 rounds to 965.
    expectRect(rows[1].image, {45, 965, 4523.08, 904.84}, "image 2");
    expectRect(rows[1].frame, {4568.08, 955, 1645, 385}, "frame 2");
    EXPECT_NEAR(roster::lowestEdge(rows), 1869.84, 0.01);

    const QList<roster::RowGeometry> enlarged = roster::layoutRows({natural, natural}, 1.1f);
    expectRect(enlarged[0].image, {45, 10, 4975.38, 995.33}, "enlarged image 1");
    expectRect(enlarged[0].nameBox, {5070.38, 60, 1545, 285}, "enlarged name box 1");
    EXPECT_DOUBLE_EQ(enlarged[1].image.top(), 1055); // 995.33 + 60
}

TEST(RowLayout, ShortImagesLetTheFramesReachBelowTheRows)
{
    const QList<roster::RowGeometry> rows = roster::layoutRows({QSizeF(1000, 100)}, 0.5f);
    EXPECT_DOUBLE_EQ(rows[0].image.bottom(), 60);
    EXPECT_DOUBLE_EQ(rows[0].frame.bottom(), 10 + 50 - 60 + 385);
    EXPECT_DOUBLE_EQ(roster::lowestEdge(rows), 385);
    EXPECT_DOUBLE_EQ(roster::lowestEdge({roster::templateRow()}), 870);
}

TEST(ZoomFactor, StepsInSinglePrecisionWithoutCancelling)
{
    EXPECT_EQ(roster::enlargedZoom(1.0f), 1.1f);
    EXPECT_EQ(roster::reducedZoom(1.0f), 0.9f);
    EXPECT_EQ(roster::reducedZoom(roster::enlargedZoom(1.0f)), 0.99f);
    EXPECT_FLOAT_EQ(roster::enlargedZoom(roster::reducedZoom(1.0f)), 0.99f);
    EXPECT_NE(roster::enlargedZoom(roster::reducedZoom(1.0f)), 1.0f);
}

TEST(NameMoves, TakeOutClosesTheGapAndInsertPushesNamesDown)
{
    const QStringList names{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    struct Case {
        qsizetype selected;
        QStringList afterTakeOut;
        QString taken;
        QStringList afterInsertingX;
    };
    const Case cases[] = {
        {0, {u"B"_s, u"C"_s, u"D"_s, u""_s}, u"A"_s, {u"X"_s, u"A"_s, u"B"_s, u"C"_s}},
        {1, {u"A"_s, u"C"_s, u"D"_s, u""_s}, u"B"_s, {u"A"_s, u"X"_s, u"B"_s, u"C"_s}},
        {3, {u"A"_s, u"B"_s, u"C"_s, u""_s}, u"D"_s, {u"A"_s, u"B"_s, u"C"_s, u"X"_s}},
    };
    for (const Case& test : cases) {
        const roster::TakeOutResult result = roster::takeOut(names, test.selected);
        EXPECT_EQ(result.names, test.afterTakeOut) << test.selected;
        EXPECT_EQ(result.taken, test.taken) << test.selected;
        EXPECT_EQ(roster::insertName(names, test.selected, u"X"_s), test.afterInsertingX)
            << test.selected;
        // Taking a name out and inserting it again on the same row restores the list.
        EXPECT_EQ(roster::insertName(result.names, test.selected, result.taken), names)
            << test.selected;
    }
    const roster::TakeOutResult single = roster::takeOut({u"A"_s}, 0);
    EXPECT_EQ(single.names, QStringList{QString()});
    EXPECT_EQ(roster::insertName({u"A"_s}, 0, u"X"_s), QStringList{u"X"_s});
}

TEST(NameMoves, LineBreaksInANameBecomeSpaces)
{
    EXPECT_EQ(roster::singleLine(u"山田\r\n太郎\r花子\n一郎"_s), u"山田 太郎 花子 一郎"_s);
    EXPECT_EQ(roster::singleLine(u"\"佐藤, 次郎\""_s), u"\"佐藤, 次郎\""_s);
}

TEST(RosterWindowGeometry, FollowsTheScreenAndTheRows)
{
    // 1920 × 1080 pixels.
    const roster::RosterWindowGeometry geometry = roster::rosterWindowGeometry({28800, 16200});
    EXPECT_EQ(geometry.window, QRectF(0, 0, 19200, 15200));
    EXPECT_EQ(geometry.canvas, QRect(10, 10, 1092, 0));     // 19200 / 15.1 − 180 = 1091.5
    EXPECT_EQ(geometry.scrollBar, QRect(1092, 0, 19, 987)); // 15200 / 15.1 − 20 = 986.6
    EXPECT_EQ(geometry.columnLeft, 1132);

    EXPECT_EQ(roster::canvasHeight(1869.84), 125 + 10);
    EXPECT_EQ(roster::rosterScrollSettings(3000, 987, 15200),
              (workspace::ScrollSettings{0, 2013, 811, 81})); // 15200 / 15 × 0.8 = 810.7
    EXPECT_EQ(roster::rosterScrollSettings(500, 987, 15200).maximum, 0);
    EXPECT_EQ(roster::canvasTop(120), -110);
}

TEST(RosterWindowGeometry, ScrollKeysMoveWithinTheRange)
{
    const workspace::ScrollSettings settings{0, 1000, 811, 81};
    const std::tuple<int, int, std::optional<int>> cases[] = {
        {Qt::Key_PageDown, 0, 811},
        {Qt::Key_PageDown, 500, 1000},
        {Qt::Key_PageDown, 1000, 1000},
        {Qt::Key_PageUp, 900, 89},
        {Qt::Key_PageUp, 500, 0},
        {Qt::Key_PageUp, 0, 0},
        {Qt::Key_Down, 40, 121},
        {Qt::Key_Down, 990, 1000},
        {Qt::Key_Up, 40, 0},
        {Qt::Key_Up, 500, 419},
        {Qt::Key_Home, 500, std::nullopt},
        {Qt::Key_End, 500, std::nullopt},
        {Qt::Key_Left, 500, std::nullopt},
    };
    for (const auto& [key, value, expected] : cases)
        EXPECT_EQ(roster::scrolledValue(key, value, settings), expected) << key << " at " << value;
}
