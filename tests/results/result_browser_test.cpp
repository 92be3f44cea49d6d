// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/result_browser.h"

#include <QList>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using results::BrowseStep;
using results::NumberBox;
using results::ResultBrowser;

namespace {

// One press of a browsing control: "<", ">" or Enter with a typed text.
struct Press {
    QString control;
    QString typed;
    BrowseStep step;
    qint16 resultNumber;
};

void replay(int markedSheets, const QList<Press>& presses)
{
    ResultBrowser browser;
    const auto exists = [markedSheets](int sheet) { return sheet <= markedSheets; };
    int pressNumber = 0;
    for (const Press& press : presses) {
        ++pressNumber;
        const BrowseStep step = press.control == u"<"_s   ? browser.previous(exists)
                                : press.control == u">"_s ? browser.next(exists)
                                                          : browser.jump(press.typed, exists);
        EXPECT_EQ(step, press.step) << "press " << pressNumber;
        EXPECT_EQ(browser.resultNumber(), press.resultNumber) << "press " << pressNumber;
    }
}

const BrowseStep kNothing{};
const BrowseStep kCleared{std::nullopt, NumberBox::Clear};

BrowseStep shows(int sheet)
{
    return {sheet, NumberBox::ShowNumber};
}

BrowseStep showsKeepingText(int sheet)
{
    return {sheet, NumberBox::Keep};
}

} // namespace

TEST(ResultBrowser, NextStopsAtTheLastMarkedSheet)
{
    replay(3, {{u">"_s, {}, shows(1), 1},
               {u">"_s, {}, shows(2), 2},
               {u">"_s, {}, shows(3), 3},
               {u">"_s, {}, kNothing, 3}});
}

TEST(ResultBrowser, BeforeAnyResultsNeitherButtonShowsAnything)
{
    replay(0, {{u"<"_s, {}, kNothing, 1}, {u">"_s, {}, kNothing, 1}, {u"<"_s, {}, kNothing, 1}});
    replay(0, {{u">"_s, {}, kNothing, 0}});
}

TEST(ResultBrowser, ATypedNumberBeyondTheSheetsIsKeptForTheButtons)
{
    replay(3, {{u"enter"_s, u"2"_s, showsKeepingText(2), 2},
               {u"enter"_s, u"7"_s, kCleared, 7},
               {u"<"_s, {}, kNothing, 6},
               {u"<"_s, {}, kNothing, 5},
               {u"<"_s, {}, kNothing, 4},
               {u"<"_s, {}, shows(3), 3}});
}

TEST(ResultBrowser, TypedNumbersRoundHalvesToEven)
{
    replay(5, {{u"enter"_s, u"2.5"_s, showsKeepingText(2), 2},
               {u"enter"_s, u"3.5"_s, showsKeepingText(4), 4},
               {u"enter"_s, u" 1 "_s, showsKeepingText(1), 1}});
}

TEST(ResultBrowser, TextThatIsNotANumberChangesNothing)
{
    replay(5, {{u"enter"_s, u"3"_s, showsKeepingText(3), 3},
               {u"enter"_s, u"abc"_s, kNothing, 3},
               {u"enter"_s, QString(), kNothing, 3},
               {u"enter"_s, u"３"_s, kNothing, 3}});
}

TEST(ResultBrowser, NumbersBelowOneOrBeyondSixteenBitsShowNothing)
{
    replay(5, {{u"enter"_s, u"0"_s, kCleared, 0},
               {u"<"_s, {}, shows(1), 1},
               {u"enter"_s, u"-4"_s, kCleared, -4},
               {u"enter"_s, u"40000"_s, kCleared, -4},
               {u">"_s, {}, kNothing, -4},
               {u"<"_s, {}, shows(1), 1}});
    replay(40000, {{u"enter"_s, u"32767"_s, showsKeepingText(32767), 32767},
                   {u">"_s, {}, kNothing, 32767}});
}

TEST(ResultBrowser, ResetStartsOverFromTheFirstSheet)
{
    ResultBrowser browser;
    const auto exists = [](int sheet) { return sheet <= 3; };
    (void)browser.jump(u"3", exists);
    browser.reset();
    EXPECT_EQ(browser.resultNumber(), 0);
    EXPECT_EQ(browser.next(exists), shows(1));
}
