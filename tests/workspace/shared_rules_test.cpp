// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/full_width.h"
#include "workspace/numeric_text.h"
#include "workspace/rounding.h"
#include "workspace/units.h"
#include "workspace/workspace_paths.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace workspace;

TEST(Rounding, HalvesGoToTheEvenNeighbour)
{
    const std::pair<double, double> cases[] = {
        {2.5, 2},    {3.5, 4},    {0.5, 0}, {1.5, 2},      {-2.5, -2}, {-3.5, -4},
        {2.4999, 2}, {2.5001, 3}, {4.5, 4}, {973.51, 974}, {-0.5, 0},  {7.0, 7},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(Rounding, IntegersRefuseValuesOutsideTheirRange)
{
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(32767.5), std::nullopt); // rounds to 32768
    EXPECT_EQ(toInt16(-32768.5), -32768);      // rounds to the even −32768
    EXPECT_EQ(toInt16(-32769), std::nullopt);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(toInt32(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt32(4.5), 4);
}

TEST(NumericText, AcceptsPlainDecimalNumbersOnly)
{
    for (const QString& text : {u"3"_s, u"0"_s, u"2.5"_s, u"-1"_s, u"+4"_s, u".5"_s, u"5."_s,
                                u" 3 "_s, u"\t10\t"_s, u"007"_s})
        EXPECT_TRUE(isNumericText(text)) << text.toStdString();
    for (const QString& text : {u""_s, u" "_s, u"."_s, u"-"_s, u"1e3"_s, u"1,000"_s, u"2a"_s,
                                u"1.2.3"_s, u"３"_s, u"- 3"_s, u"3 4"_s, u"++3"_s})
        EXPECT_FALSE(isNumericText(text)) << text.toStdString();
}

TEST(NumericText, LeadingNumberIsTheValueOfTheNumberAtTheStart)
{
    EXPECT_DOUBLE_EQ(leadingNumberValue(u"2.5"_s), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u"  7点"_s), 7.0);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u"-3abc"_s), -3.0);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u"5."_s), 5.0);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u".5"_s), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u"abc"_s), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u""_s), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumberValue(u"1.5.2"_s), 1.5);
}

TEST(NumericText, DecimalTextHasAtMostThreeDecimalsAndNoExponent)
{
    const std::pair<double, QString> cases[] = {
        {0.85321, u"0.853"_s},
        {2.5, u"2.5"_s},
        {3.0, u"3"_s},
        {0.0005, u"0.001"_s},
        {-0.0004, u"0"_s},
        {-0.25, u"-0.25"_s},
        {1e20, u"100000000000000000000"_s},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(decimalText(value), text) << value;
}

TEST(Units, TwipsBecomePixelsAtFifteenATwip)
{
    EXPECT_EQ(twipsToPixels(27750.0), 1850);
    EXPECT_EQ(twipsToPixels(22.5), 2); // 1.5 → 2
    EXPECT_EQ(twipsToPixels(37.5), 2); // 2.5 → 2
    EXPECT_EQ(twipsToPixels(QRectF(1410, 645, 375, 270)), QRect(94, 43, 25, 18));
}

TEST(Units, NaturalSizeFollowsTheHundredthsOfAMillimetreRule)
{
    EXPECT_EQ(himetricFromPixels(2339), 61886);
    EXPECT_EQ(himetricFromPixels(1654), 43762);
    EXPECT_NEAR(naturalTwips(2339), 61886 / 1.755, 1e-9);
    // About 1.00506 times 15 twips a pixel.
    EXPECT_NEAR(naturalTwips(1654) / (1654 * 15.0), 1.00506, 0.0001);
}

TEST(Paths, NumbersHaveThreeDigitsAndLargerOnesStandInFull)
{
    EXPECT_EQ(numberText(7), u"007"_s);
    EXPECT_EQ(numberText(42), u"042"_s);
    EXPECT_EQ(numberText(1000), u"1000"_s);
    EXPECT_EQ(paths::sheetImage(7), u"touan/007.bmp"_s);
    EXPECT_EQ(paths::sheetImage(1000), u"touan/1000.bmp"_s);
    EXPECT_EQ(paths::cutoutImage(3, 17), u"furiwake/003/017.bmp"_s);
    EXPECT_EQ(paths::markedSheet(12), u"hyouka/012.bmp"_s);
    EXPECT_EQ(paths::regionFile(), u"ini/zahyo.txt"_s);
    EXPECT_EQ(paths::gradeTable(), u"seiseki.csv"_s);

    const Workspace workspace(u"/data/exam"_s);
    EXPECT_EQ(workspace.path(paths::scoreFile()), u"/data/exam/ini/haiten.txt"_s);
}

TEST(FullWidth, TurnsAsciiIntoItsFullWidthForms)
{
    EXPECT_EQ(fullWidth(u"2.5"_s), u"２．５"_s);
    EXPECT_EQ(fullWidth(u"-10"_s), u"－１０"_s);
    EXPECT_EQ(fullWidth(u"a b"_s), u"ａ　ｂ"_s);
    EXPECT_EQ(fullWidth(u"点ｶ"_s), u"点ｶ"_s);
    EXPECT_EQ(fullWidth(u""_s), u""_s);
}
