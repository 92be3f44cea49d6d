// SPDX-License-Identifier: GPL-3.0-or-later
#include "exam_fixture.h"
#include "grading/grading_state.h"
#include "temporary_workspace.h"

#include <gtest/gtest.h>

#include <set>

using namespace Qt::Literals::StringLiterals;
using grading::ColumnStep;
using grading::CommentDisplay;
using grading::GradingState;
using grading::SelectorColour;
using grading::ShiftKey;
using grading::ZoomStep;
using grading_test::Exam;
using grading_test::regionOfSize;
using imaging::MarkState;
using test_support::TemporaryWorkspace;

namespace {

// A state on `sheets` sheets of one 100 × 60 region (plus a second one), scores of region 1
// given per sheet ("" for ungraded).
GradingState stateWith(const QStringList& scores, int sheets = -1)
{
    TemporaryWorkspace folder;
    QStringList lines;
    for (const QString& score : scores)
        lines.append(score + u","_s);
    Exam(sheets < 0 ? int(scores.size()) : sheets, {regionOfSize(100, 60), regionOfSize(50, 30)})
        .scores(lines)
        .write(folder);
    return GradingState(grading_test::loadTables(folder));
}

std::set<int> indicesIn(const GradingState& state, MarkState mark)
{
    std::set<int> indices;
    for (std::size_t index = 0; index < state.cells().size(); ++index)
        if (state.cells()[index].state == mark)
            indices.insert(int(index));
    return indices;
}

std::set<int> shownIndices(const GradingState& state)
{
    std::set<int> indices;
    for (std::size_t index = 0; index < state.cells().size(); ++index)
        if (state.cells()[index].shown)
            indices.insert(int(index));
    return indices;
}

void setColumns(GradingState& state, int columns)
{
    QString box = u"1"_s;
    for (int column = 1; column < columns; ++column)
        box = *state.stepColumns(ColumnStep::More, box);
}

} // namespace

TEST(GradingState, APageBuildShowsEverySheetAndDerivesMarksFromScores)
{
    GradingState state = stateWith({u"3"_s, QString(), u"abc"_s, u"0"_s});
    EXPECT_EQ(state.currentRegion(), 0);
    EXPECT_EQ(state.selectorColours(),
              (QList<SelectorColour>{SelectorColour::ButtonFace, SelectorColour::ButtonFace}));

    state.buildPage(0);
    EXPECT_EQ(state.currentRegion(), 1);
    EXPECT_EQ(shownIndices(state), (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(indicesIn(state, MarkState::Blue), (std::set<int>{0, 3}));
    EXPECT_EQ(state.cells()[2].scoreBox, u"abc"_s); // kept as the file has it, not graded
    EXPECT_EQ(state.selectorColours(),
              (QList<SelectorColour>{SelectorColour::Current, SelectorColour::ButtonFace}));
}

TEST(GradingState, SevenSheetsInThreeColumnsStartTheSecondRowWithSheetFour)
{
    GradingState state = stateWith(QStringList(7, QString()));
    setColumns(state, 3);
    state.buildPage(0);
    const auto& cells = state.cells();
    EXPECT_DOUBLE_EQ(cells[3].geometry.image.left(), cells[0].geometry.image.left());
    EXPECT_GT(cells[3].geometry.image.top(), cells[2].geometry.image.top());
    EXPECT_DOUBLE_EQ(cells[6].geometry.image.left(), cells[0].geometry.image.left());
    EXPECT_DOUBLE_EQ(cells[5].geometry.image.left(), cells[2].geometry.image.left());
}

TEST(GradingState, HidingGradedAnswersLeavesNoGaps)
{
    GradingState state =
        stateWith({QString(), u"2"_s, QString(), QString(), u"1"_s, QString(), QString()});
    setColumns(state, 3);
    state.setOptions({.hideGraded = true, .comments = CommentDisplay::Hidden});
    state.buildPage(0);

    EXPECT_EQ(shownIndices(state), (std::set<int>{0, 2, 3, 5, 6}));
    const grading::GridMetrics metrics = state.metrics();
    const int shown[] = {0, 2, 3, 5, 6};
    for (int position = 0; position < 5; ++position)
        EXPECT_EQ(state.cells()[std::size_t(shown[position])].geometry.image,
                  grading::cellGeometry(metrics, position).image)
            << position;
}

TEST(GradingState, ExtractComparesTextsExactly)
{
    const QStringList scores = {u"1"_s, u"1.0"_s, QString(), u"2"_s, u" 1"_s, u"1"_s};
    const struct {
        QString wanted;
        std::set<int> shown;
    } cases[] = {
        {u"1"_s, {0, 5}}, {u"1.0"_s, {1}}, {QString(), {2}}, {u"2"_s, {3}}, {u"3"_s, {}},
    };
    for (const auto& test : cases) {
        GradingState state = stateWith(scores);
        state.setOptions({.hideGraded = true, .comments = CommentDisplay::Hidden});
        state.buildPage(0);
        state.buildExtract(test.wanted);
        EXPECT_EQ(shownIndices(state), test.shown) << test.wanted.toStdString();
        EXPECT_EQ(state.selectorColours()[0], SelectorColour::Current);
    }
}

TEST(GradingState, ExtractKeepsSelectionsOnceTheLayoutHasChanged)
{
    GradingState state = stateWith({u"1"_s, QString(), u"1"_s});
    state.buildPage(0);
    state.click(0, ShiftKey::Up);
    state.buildExtract(u"1"_s);
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{}); // fresh: re-derived

    state.zoom(ZoomStep::Enlarge);
    EXPECT_FALSE(state.freshLayout());
    state.click(0, ShiftKey::Up);
    state.click(1, ShiftKey::Up);
    state.buildExtract(u"1"_s);
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), (std::set<int>{0, 1}));
    EXPECT_FALSE(state.cells()[1].shown); // hidden, yet still selected: a score reaches it

    state.applyScore(u"4"_s);
    EXPECT_EQ(state.tables().score(2, 1), u"4"_s);
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{});
}

TEST(GradingState, AShiftRangeSelectsTheSpannedColumnsBetweenTheCornersEitherWay)
{
    // Ten sheets in three columns with sheet 5 graded and hidden: indices 0 1 2 / 3 5 6 / 7 8 9.
    QStringList scores(10, QString());
    scores[4] = u"1"_s;
    const struct {
        int anchor;
        int clicked;
    } directions[] = {{1, 9}, {9, 1}};
    for (const auto& test : directions) {
        GradingState state = stateWith(scores);
        setColumns(state, 3);
        state.setOptions({.hideGraded = true, .comments = CommentDisplay::Hidden});
        state.buildPage(0);
        state.click(test.anchor, ShiftKey::Up);
        state.setShiftHeld(true);
        state.click(test.clicked, ShiftKey::Down);

        EXPECT_EQ(indicesIn(state, MarkState::Yellow), (std::set<int>{1, 2, 5, 6, 8, 9}))
            << test.anchor << " to " << test.clicked;
        EXPECT_EQ(state.anchorIndex(), test.clicked);
    }
}

TEST(GradingState, ShiftActsAsAPlainClickUnlessHeldOverTheCanvasWithTheAnchorSelected)
{
    GradingState state = stateWith(QStringList(6, QString()));
    state.buildPage(0);

    state.setShiftHeld(true);
    state.click(3, ShiftKey::Down); // the anchor (answer 0) is not selected
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{3});
    EXPECT_EQ(state.anchorIndex(), 3);

    state.setShiftHeld(false);
    state.click(5, ShiftKey::Down); // Shift went down elsewhere
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), (std::set<int>{3, 5}));

    state.setShiftHeld(true);
    state.buildPage(0); // a rebuild forgets the Shift key and the selection
    EXPECT_FALSE(state.shiftHeld());
    state.click(1, ShiftKey::Down);
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{1});

    state.click(1, ShiftKey::Up); // a plain click on a selected answer takes it back
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{});
}

TEST(GradingState, BulkButtonsFollowVisibilityAndScoreBoxes)
{
    GradingState state = stateWith({u"1"_s, QString(), QString(), u"2"_s, QString()});
    state.buildPage(0);
    state.buildExtract(u"1"_s); // shows only answer 0; the unscored stay gray while hidden

    state.selectAll();
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{0});
    state.selectUnscored();
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), (std::set<int>{0, 1, 2, 4}));

    state.editScore(2, u"2a"_s);
    state.editScore(4, u"5"_s);
    state.clearSelection();
    EXPECT_EQ(indicesIn(state, MarkState::Blue), (std::set<int>{0, 3, 4}));
    EXPECT_EQ(indicesIn(state, MarkState::Gray), (std::set<int>{1, 2}));
}

TEST(GradingState, TypedScoresAndCommentsReachTheTablesOfTheCurrentRegion)
{
    GradingState state = stateWith({QString(), QString()});
    state.editScore(0, u"3"_s); // no region chosen yet: nothing to write to
    EXPECT_EQ(state.tables().score(1, 1), QString());
    EXPECT_FALSE(state.hasChanges());

    state.buildPage(1);
    const struct {
        QString typed;
        QString stored;
    } scores[] = {
        {u"2.5"_s, u"2.5"_s}, {u"2a"_s, QString()}, {u" 4 "_s, u" 4 "_s}, {u"３"_s, QString()}};
    for (const auto& test : scores) {
        state.editScore(0, test.typed);
        EXPECT_EQ(state.tables().score(1, 2), test.stored) << test.typed.toStdString();
        EXPECT_EQ(state.cells()[0].scoreBox, test.typed);
    }

    state.editComment(1, u"a, b，c,,"_s);
    EXPECT_EQ(state.tables().comment(2, 2), u"a、 b、c、、"_s);
    EXPECT_EQ(state.cells()[1].commentBox, u"a, b，c,,"_s);
    EXPECT_EQ(state.tables().comment(2, 1), QString());
    EXPECT_TRUE(state.hasChanges());

    state.editScore(0, QString());
    state.editComment(1, QString());
    EXPECT_FALSE(state.hasChanges());
}

TEST(GradingState, PresetsScoreTheSelectedAnswersAndRebuild)
{
    const struct {
        QString preset;
        QString stored;
        MarkState state;
    } cases[] = {
        {u"0"_s, u"0"_s, MarkState::Blue}, // F1
        {u"5"_s, u"5"_s, MarkState::Blue}, // F6
        {u"2.5"_s, u"2.5"_s, MarkState::Blue},
        {QString(), QString(), MarkState::Gray}, // F7 withdraws
    };
    for (const auto& test : cases) {
        GradingState state = stateWith({u"1"_s, u"1"_s, QString(), u"3"_s});
        state.buildPage(0);
        state.click(0, ShiftKey::Up);
        state.click(2, ShiftKey::Up);
        state.applyScore(test.preset);

        for (int sheet : {1, 3}) {
            EXPECT_EQ(state.tables().score(sheet, 1), test.stored) << sheet;
            EXPECT_EQ(state.cells()[std::size_t(sheet - 1)].state, test.state);
            EXPECT_EQ(state.cells()[std::size_t(sheet - 1)].scoreBox, test.stored);
        }
        EXPECT_EQ(state.tables().score(2, 1), u"1"_s);
        EXPECT_EQ(state.tables().score(4, 1), u"3"_s);
        EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{});
    }
}

TEST(GradingState, ACommentPresetKeepsTheSelectionForAFollowingScore)
{
    GradingState state = stateWith({QString(), QString(), QString()});
    state.applyScore(u"4"_s); // before any region: nothing changes, nothing is built
    EXPECT_EQ(state.currentRegion(), 0);
    EXPECT_FALSE(state.hasChanges());

    state.buildPage(0);
    state.click(1, ShiftKey::Up);
    state.applyComment(u"式は正しい, 計算ミス"_s);
    state.applyComment(u"惜しい"_s);
    EXPECT_EQ(state.tables().comment(2, 1), u"惜しい"_s);
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), std::set<int>{1});
    state.applyComment(u"式は正しい, 計算ミス"_s);
    EXPECT_EQ(state.tables().comment(2, 1), u"式は正しい、 計算ミス"_s);

    state.applyScore(u"2"_s);
    EXPECT_EQ(state.tables().score(2, 1), u"2"_s);
    EXPECT_EQ(state.tables().score(1, 1), QString());
}

TEST(GradingState, ColumnButtonsStepTheBoxAndKeepAtLeastOneColumn)
{
    const struct {
        QString box;
        ColumnStep step;
        std::optional<QString> text;
        int columns;
    } cases[] = {
        {u"1"_s, ColumnStep::Fewer, std::nullopt, 1},
        {u"1"_s, ColumnStep::More, u"2"_s, 2},
        {u"3"_s, ColumnStep::Fewer, u"2"_s, 2},
        {u"2.5"_s, ColumnStep::More, u"3.5"_s, 4},
        {u"3.5列"_s, ColumnStep::Fewer, u"2.5"_s, 2},
        {u"1.5"_s, ColumnStep::Fewer, u"1"_s, 1},
        {u"0"_s, ColumnStep::More, u"1"_s, 1},
        {u"-4"_s, ColumnStep::More, u"1"_s, 1},
        {u"abc"_s, ColumnStep::More, u"1"_s, 1},
        {u"abc"_s, ColumnStep::Fewer, std::nullopt, 1},
        {u"999"_s, ColumnStep::More, u"500"_s, 500},
    };
    for (const auto& test : cases) {
        GradingState state = stateWith({QString()});
        EXPECT_EQ(state.stepColumns(test.step, test.box), test.text) << test.box.toStdString();
        EXPECT_EQ(state.columnCount(), test.columns) << test.box.toStdString();
        EXPECT_EQ(state.freshLayout(), !test.text.has_value()) << test.box.toStdString();
    }
}

TEST(GradingState, ZoomWaitsForARegionAndMultipliesInSinglePrecision)
{
    GradingState state = stateWith({QString()});
    state.zoom(ZoomStep::Enlarge);
    EXPECT_EQ(state.zoomFactor(), 1.0f);
    EXPECT_TRUE(state.freshLayout());

    state.buildPage(0);
    state.zoom(ZoomStep::Enlarge);
    state.zoom(ZoomStep::Reduce);
    EXPECT_EQ(state.zoomFactor(), static_cast<float>(double(static_cast<float>(1.17)) * 0.85));
    EXPECT_FALSE(state.freshLayout());
}

TEST(GradingState, FullyGradedRegionsAreMarkedAtLoadAndAtEveryPageBuild)
{
    GradingState state = stateWith({u"1"_s, u"0"_s});
    EXPECT_EQ(state.selectorColours()[0], SelectorColour::FullyGraded);
    state.buildPage(1);
    EXPECT_EQ(state.selectorColours(),
              (QList<SelectorColour>{SelectorColour::FullyGraded, SelectorColour::Current}));
    state.click(0, ShiftKey::Up);
    state.click(1, ShiftKey::Up);
    state.applyScore(u"1"_s);
    state.buildPage(0);
    EXPECT_EQ(state.selectorColours(),
              (QList<SelectorColour>{SelectorColour::Current, SelectorColour::FullyGraded}));

    EXPECT_EQ(stateWith({}, 0).selectorColours()[1], SelectorColour::FullyGraded);
}

TEST(GradingState, TheLookAlikeOrderPlacesCellsAndRangesWhileScoresStayWithTheirSheets)
{
    GradingState state = stateWith(QStringList(6, QString()));
    std::vector<int> order{4, 2, 0, 5, 1, 3};
    state.setSimilarOrderSource([&order](int region) {
        EXPECT_EQ(region, 1);
        return order;
    });
    state.setOptions({false, CommentDisplay::Hidden, grading::AnswerOrder::Similar});
    state.buildPage(0);
    EXPECT_EQ(state.displayOrder(), order);
    for (std::size_t place = 0; place < order.size(); ++place)
        EXPECT_EQ(state.cells()[std::size_t(order[place])].geometry.image,
                  grading::cellGeometry(state.metrics(), int(place)).image);

    // A Shift range runs over the places between the corners, not over the sheet numbers.
    state.click(2, ShiftKey::Up);
    state.setShiftHeld(true);
    state.click(1, ShiftKey::Down);
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), (std::set<int>{2, 0, 5, 1}));
    const grading::ChangeList changes = state.applyScore(u"2"_s);
    std::set<int> changedSheets;
    for (const grading::CellChange& change : changes)
        changedSheets.insert(change.sheet);
    EXPECT_EQ(changedSheets, (std::set<int>{3, 1, 6, 2}));
    for (int sheet = 1; sheet <= 6; ++sheet)
        EXPECT_EQ(state.tables().score(sheet, 1),
                  changedSheets.contains(sheet) ? u"2"_s : QString())
            << sheet;
    EXPECT_EQ(state.displayOrder(), order);

    // Hiding the graded ones closes the gaps in the same order; only shown answers are chosen.
    state.setOptions({true, CommentDisplay::Hidden, grading::AnswerOrder::Similar});
    EXPECT_EQ(shownIndices(state), (std::set<int>{4, 3}));
    EXPECT_EQ(state.cells()[3].geometry.image, grading::cellGeometry(state.metrics(), 1).image);
    state.click(4, ShiftKey::Up);
    state.selectOnly({true, false, false, true, false, false});
    EXPECT_EQ(indicesIn(state, MarkState::Yellow), (std::set<int>{3}));
    EXPECT_EQ(indicesIn(state, MarkState::Blue), (std::set<int>{0, 1, 2, 5}));

    // An order that would lose or repeat a cell is not used; unticking restores sheet order.
    order = {0, 0, 1, 2, 3, 4};
    state.setOptions({false, CommentDisplay::Hidden, grading::AnswerOrder::Similar});
    EXPECT_EQ(state.displayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    order = {5, 4, 3, 2, 1, 0};
    state.setOptions({false, CommentDisplay::Hidden, grading::AnswerOrder::Sheet});
    EXPECT_EQ(state.displayOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
}
