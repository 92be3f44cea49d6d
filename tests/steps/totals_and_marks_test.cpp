// SPDX-License-Identifier: GPL-3.0-or-later
#include "steps/mark_layout.h"
#include "steps/totals_and_ranks.h"
#include "workspace/units.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using steps::MarkText;
using steps::RegionOne;

namespace {

qint32 totalOf(const QStringList& scores)
{
    steps::RunningTotal total;
    for (const QString& score : scores)
        total.add(score);
    EXPECT_TRUE(total.fits());
    return total.value();
}

} // namespace

TEST(RunningTotal, RoundsHalvesToEvenAfterEveryAddition)
{
    const struct {
        QStringList scores;
        qint32 total;
    } cases[] = {
        {{u"2.5"_s, u"2.5"_s}, 4},           // 2.5 → 2, then 4.5 → 4
        {{u"1.5"_s, u"1.5"_s}, 4},           // 1.5 → 2, then 3.5 → 4
        {{u"0.5"_s, u"0.5"_s, u"0.5"_s}, 0}, // every partial sum is 0.5 → 0
        {{u"3"_s, QString(), u"5"_s}, 8},    // an ungraded answer counts 0
        {{u"3点"_s, u"abc"_s, u" 4 "_s}, 7}, // the leading number; none counts 0
        {{u"-2.5"_s, u"10"_s}, 8},           // -2.5 → -2
        {{}, 0},
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(totalOf(testCase.scores), testCase.total)
            << testCase.scores.join(u',').toStdString();
}

TEST(RunningTotal, ReportsASumBeyondThirtyTwoBits)
{
    steps::RunningTotal total;
    total.add(u"2147483647");
    EXPECT_TRUE(total.fits());
    total.add(u"1");
    EXPECT_FALSE(total.fits());
    total.add(u"-1");
    EXPECT_FALSE(total.fits()) << "an overflow on the way stays an overflow";
}

TEST(CompetitionRanks, EqualTotalsShareARankAndTheNextIsSkipped)
{
    const struct {
        QList<qint32> totals;
        QList<qint32> ranks;
    } cases[] = {
        {{90, 80, 80, 70}, {1, 2, 2, 4}}, {{70, 90, 80, 80}, {4, 1, 2, 2}}, {{5}, {1}},
        {{0, 0, 0}, {1, 1, 1}},           {{-3, 0, -3}, {2, 1, 2}},         {{}, {}},
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(steps::competitionRanks(testCase.totals), testCase.ranks);
}

TEST(MarkUnit, IsTheLongerSideInHundredthsOfAMillimetreOverTwoThousand)
{
    const struct {
        QSize picture;
        int unit;
    } cases[] = {
        {{1654, 2339}, 31},  // 61886 / 2000 = 30.9
        {{2339, 1654}, 31},  // the longer side, whichever it is
        {{1474, 100}, 20},   // 39000 / 2000 = 19.5 → 20
        {{100, 11074}, 146}, // 293000 / 2000 = 146.5 → 146
        {{0, 0}, 0},
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(steps::markUnit(testCase.picture), testCase.unit);
}

TEST(SheetMarks, PlacesScoresCommentsTotalAndRank)
{
    steps::SheetMarkInput input;
    input.regions = {{100, 300, 500, 200}, {100, 500, 500, 401}};
    input.scores = {u"2.5"_s, u"10"_s};
    input.comments = {u"よくできました"_s, QString()};
    input.unit = 10;
    input.surfaceWidthTwips = 15100; // 1000 sheet pixels
    input.rank = steps::RankMark{3, 40};

    const QList<MarkText> expected = {
        {u"２．５点"_s, {480, 245}, 10}, {u"よくできました"_s, {140, 200}, 10},
        {u"１０点"_s, {480, 445.5}, 10}, {u"12点"_s, {880, 20}, 20},
        {u"3/40位"_s, {880, 45}, 15},
    };
    EXPECT_EQ(steps::sheetMarks(input), expected);
}

TEST(SheetMarks, TheNameFieldKeepsItsCommentButNotItsScore)
{
    steps::SheetMarkInput input;
    input.regions = {{0, 40, 200, 0}, {0, 140, 200, 100}};
    input.scores = {u"0"_s, u"7"_s, u"99"_s}; // a field beyond the last region is not drawn
    input.comments = {u"名前"_s};             // a short line leaves the later comments empty
    input.unit = 4;
    input.surfaceWidthTwips = 3020;
    input.regionOne = RegionOne::NameField;

    const QList<MarkText> expected = {
        {u"名前"_s, {16, 0}, 4},
        {u"７点"_s, {192, 118}, 4},
        {u"7点"_s, {152, 20}, 8},
    };
    EXPECT_EQ(steps::sheetMarks(input), expected);
}

TEST(SheetMarks, AnUngradedAnswerDrawsThePointSignAlone)
{
    steps::SheetMarkInput input;
    input.regions = {{0, 40, 200, 0}};
    input.unit = 4;
    const QList<MarkText> marks = steps::sheetMarks(input);
    ASSERT_EQ(marks.size(), 2);
    EXPECT_EQ(marks[0].text, u"点"_s);
    EXPECT_EQ(marks[1].text, u"0点"_s);
}

TEST(DrawnTotal, LeavesOutTheNameFieldAndFieldsBeyondTheRegions)
{
    const QStringList scores = {u"7"_s, u"2.5"_s, u"3"_s, u"100"_s};
    EXPECT_EQ(steps::drawnTotal(scores, 3, RegionOne::Scored), 13);   // 7, 9.5 → 10, 13
    EXPECT_EQ(steps::drawnTotal(scores, 3, RegionOne::NameField), 5); // 2.5 → 2, 5
    EXPECT_EQ(steps::drawnTotal({u"40000"_s}, 1, RegionOne::Scored), 40000);
}
