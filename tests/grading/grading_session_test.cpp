#include "exam_fixture.h"
#include "grading/grading_session.h"
#include "temporary_workspace.h"

#include <gtest/gtest.h>

#include <set>

using namespace Qt::Literals::StringLiterals;
using grading::ColumnStep;
using grading::CommentDisplay;
using grading::GradingSession;
using grading::SelectorColour;
using grading::ShiftKey;
using grading::ZoomStep;
using grading_test::Exam;
using grading_test::regionOfSize;
using imaging::MarkState;
using test_support::TemporaryWorkspace;

namespace {

// A session on `sheets` sheets of one 100 × 60 region (plus a second one), scores of region 1
// given per sheet ("" for ungraded).
GradingSession sessionWith(const QStringList& scores, int sheets = -1) {
    TemporaryWorkspace folder;
    QStringList lines;
    for (const QString& score : scores)
        lines.append(score + u","_s);
    Exam(sheets < 0 ? int(scores.size()) : sheets, {regionOfSize(100, 60), regionOfSize(50, 30)})
        .scores(lines)
        .write(folder);
    return GradingSession(grading_test::loadTables(folder));
}

std::set<int> indicesIn(const GradingSession& session, MarkState state) {
    std::set<int> indices;
    for (std::size_t index = 0; index < session.cells().size(); ++index)
        if (session.cells()[index].state == state)
            indices.insert(int(index));
    return indices;
}

std::set<int> shownIndices(const GradingSession& session) {
    std::set<int> indices;
    for (std::size_t index = 0; index < session.cells().size(); ++index)
        if (session.cells()[index].shown)
            indices.insert(int(index));
    return indices;
}

void setColumns(GradingSession& session, int columns) {
    QString box = u"1"_s;
    for (int column = 1; column < columns; ++column)
        box = *session.stepColumns(ColumnStep::More, box);
}

} // namespace

TEST(GradingSession, APageBuildShowsEverySheetAndDerivesMarksFromScores) {
    GradingSession session = sessionWith({u"3"_s, QString(), u"abc"_s, u"0"_s});
    EXPECT_EQ(session.nowQ(), 0);
    EXPECT_EQ(session.selectorColours(),
              (QList<SelectorColour>{SelectorColour::ButtonFace, SelectorColour::ButtonFace}));

    session.buildPage(0);
    EXPECT_EQ(session.nowQ(), 1);
    EXPECT_EQ(shownIndices(session), (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(indicesIn(session, MarkState::Blue), (std::set<int>{0, 3}));
    EXPECT_EQ(session.cells()[2].scoreBox, u"abc"_s); // kept as the file has it, not graded
    EXPECT_EQ(session.selectorColours(),
              (QList<SelectorColour>{SelectorColour::Current, SelectorColour::ButtonFace}));
}

TEST(GradingSession, SevenSheetsInThreeColumnsStartTheSecondRowWithSheetFour) {
    GradingSession session = sessionWith(QStringList(7, QString()));
    setColumns(session, 3);
    session.buildPage(0);
    const auto& cells = session.cells();
    EXPECT_DOUBLE_EQ(cells[3].geometry.image.left(), cells[0].geometry.image.left());
    EXPECT_GT(cells[3].geometry.image.top(), cells[2].geometry.image.top());
    EXPECT_DOUBLE_EQ(cells[6].geometry.image.left(), cells[0].geometry.image.left());
    EXPECT_DOUBLE_EQ(cells[5].geometry.image.left(), cells[2].geometry.image.left());
}

TEST(GradingSession, HidingGradedAnswersLeavesNoGaps) {
    GradingSession session =
        sessionWith({QString(), u"2"_s, QString(), QString(), u"1"_s, QString(), QString()});
    setColumns(session, 3);
    session.setOptions({.hideGraded = true, .comments = CommentDisplay::Hidden});
    session.buildPage(0);

    EXPECT_EQ(shownIndices(session), (std::set<int>{0, 2, 3, 5, 6}));
    const grading::GridMetrics metrics = session.metrics();
    const int shown[] = {0, 2, 3, 5, 6};
    for (int position = 0; position < 5; ++position)
        EXPECT_EQ(session.cells()[std::size_t(shown[position])].geometry.image,
                  grading::cellGeometry(metrics, position).image)
            << position;
}

TEST(GradingSession, ExtractComparesTextsExactly) {
    const QStringList scores = {u"1"_s, u"1.0"_s, QString(), u"2"_s, u" 1"_s, u"1"_s};
    const struct {
        QString wanted;
        std::set<int> shown;
    } cases[] = {
        {u"1"_s, {0, 5}}, {u"1.0"_s, {1}}, {QString(), {2}}, {u"2"_s, {3}}, {u"3"_s, {}},
    };
    for (const auto& test : cases) {
        GradingSession session = sessionWith(scores);
        session.setOptions({.hideGraded = true, .comments = CommentDisplay::Hidden});
        session.buildPage(0);
        session.buildExtract(test.wanted);
        EXPECT_EQ(shownIndices(session), test.shown) << test.wanted.toStdString();
        EXPECT_EQ(session.selectorColours()[0], SelectorColour::Current);
    }
}

TEST(GradingSession, ExtractKeepsSelectionsOnceTheLayoutHasChanged) {
    GradingSession session = sessionWith({u"1"_s, QString(), u"1"_s});
    session.buildPage(0);
    session.click(0, ShiftKey::Up);
    session.buildExtract(u"1"_s);
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{}); // fresh: re-derived

    session.zoom(ZoomStep::Enlarge);
    EXPECT_FALSE(session.freshLayout());
    session.click(0, ShiftKey::Up);
    session.click(1, ShiftKey::Up);
    session.buildExtract(u"1"_s);
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), (std::set<int>{0, 1}));
    EXPECT_FALSE(session.cells()[1].shown); // hidden, yet still selected: a score reaches it

    session.applyScore(u"4"_s);
    EXPECT_EQ(session.tables().score(2, 1), u"4"_s);
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{});
}

TEST(GradingSession, AShiftRangeSelectsTheSpannedColumnsBetweenTheCornersEitherWay) {
    // Ten sheets in three columns with sheet 5 graded and hidden: indices 0 1 2 / 3 5 6 / 7 8 9.
    QStringList scores(10, QString());
    scores[4] = u"1"_s;
    const struct {
        int anchor;
        int clicked;
    } directions[] = {{1, 9}, {9, 1}};
    for (const auto& test : directions) {
        GradingSession session = sessionWith(scores);
        setColumns(session, 3);
        session.setOptions({.hideGraded = true, .comments = CommentDisplay::Hidden});
        session.buildPage(0);
        session.click(test.anchor, ShiftKey::Up);
        session.setShiftHeld(true);
        session.click(test.clicked, ShiftKey::Down);

        EXPECT_EQ(indicesIn(session, MarkState::Yellow), (std::set<int>{1, 2, 5, 6, 8, 9}))
            << test.anchor << " to " << test.clicked;
        EXPECT_EQ(session.anchorIndex(), test.clicked);
    }
}

TEST(GradingSession, ShiftActsAsAPlainClickUnlessHeldOverTheCanvasWithTheAnchorSelected) {
    GradingSession session = sessionWith(QStringList(6, QString()));
    session.buildPage(0);

    session.setShiftHeld(true);
    session.click(3, ShiftKey::Down); // the anchor (answer 0) is not selected
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{3});
    EXPECT_EQ(session.anchorIndex(), 3);

    session.setShiftHeld(false);
    session.click(5, ShiftKey::Down); // Shift went down elsewhere
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), (std::set<int>{3, 5}));

    session.setShiftHeld(true);
    session.buildPage(0); // a rebuild forgets the Shift key and the selection
    EXPECT_FALSE(session.shiftHeld());
    session.click(1, ShiftKey::Down);
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{1});

    session.click(1, ShiftKey::Up); // a plain click on a selected answer takes it back
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{});
}

TEST(GradingSession, BulkButtonsFollowVisibilityAndScoreBoxes) {
    GradingSession session = sessionWith({u"1"_s, QString(), QString(), u"2"_s, QString()});
    session.buildPage(0);
    session.buildExtract(u"1"_s); // shows only answer 0; the unscored stay gray while hidden

    session.selectAll();
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{0});
    session.selectUnscored();
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), (std::set<int>{0, 1, 2, 4}));

    session.editScore(2, u"2a"_s);
    session.editScore(4, u"5"_s);
    session.clearSelection();
    EXPECT_EQ(indicesIn(session, MarkState::Blue), (std::set<int>{0, 3, 4}));
    EXPECT_EQ(indicesIn(session, MarkState::Gray), (std::set<int>{1, 2}));
}

TEST(GradingSession, TypedScoresAndCommentsReachTheTablesOfTheCurrentRegion) {
    GradingSession session = sessionWith({QString(), QString()});
    session.editScore(0, u"3"_s); // no region chosen yet: nothing to write to
    EXPECT_EQ(session.tables().score(1, 1), QString());
    EXPECT_FALSE(session.hasChanges());

    session.buildPage(1);
    const struct {
        QString typed;
        QString stored;
    } scores[] = {
        {u"2.5"_s, u"2.5"_s}, {u"2a"_s, QString()}, {u" 4 "_s, u" 4 "_s}, {u"３"_s, QString()}};
    for (const auto& test : scores) {
        session.editScore(0, test.typed);
        EXPECT_EQ(session.tables().score(1, 2), test.stored) << test.typed.toStdString();
        EXPECT_EQ(session.cells()[0].scoreBox, test.typed);
    }

    session.editComment(1, u"a, b，c,,"_s);
    EXPECT_EQ(session.tables().comment(2, 2), u"a、 b、c、、"_s);
    EXPECT_EQ(session.cells()[1].commentBox, u"a, b，c,,"_s);
    EXPECT_EQ(session.tables().comment(2, 1), QString());
    EXPECT_TRUE(session.hasChanges());

    session.editScore(0, QString());
    session.editComment(1, QString());
    EXPECT_FALSE(session.hasChanges());
}

TEST(GradingSession, PresetsScoreTheSelectedAnswersAndRebuild) {
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
        GradingSession session = sessionWith({u"1"_s, u"1"_s, QString(), u"3"_s});
        session.buildPage(0);
        session.click(0, ShiftKey::Up);
        session.click(2, ShiftKey::Up);
        session.applyScore(test.preset);

        for (int sheet : {1, 3}) {
            EXPECT_EQ(session.tables().score(sheet, 1), test.stored) << sheet;
            EXPECT_EQ(session.cells()[std::size_t(sheet - 1)].state, test.state);
            EXPECT_EQ(session.cells()[std::size_t(sheet - 1)].scoreBox, test.stored);
        }
        EXPECT_EQ(session.tables().score(2, 1), u"1"_s);
        EXPECT_EQ(session.tables().score(4, 1), u"3"_s);
        EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{});
    }
}

TEST(GradingSession, ACommentPresetKeepsTheSelectionForAFollowingScore) {
    GradingSession session = sessionWith({QString(), QString(), QString()});
    session.applyScore(u"4"_s); // before any region: nothing changes, nothing is built
    EXPECT_EQ(session.nowQ(), 0);
    EXPECT_FALSE(session.hasChanges());

    session.buildPage(0);
    session.click(1, ShiftKey::Up);
    session.applyComment(u"式は正しい, 計算ミス"_s);
    session.applyComment(u"惜しい"_s);
    EXPECT_EQ(session.tables().comment(2, 1), u"惜しい"_s);
    EXPECT_EQ(indicesIn(session, MarkState::Yellow), std::set<int>{1});
    session.applyComment(u"式は正しい, 計算ミス"_s);
    EXPECT_EQ(session.tables().comment(2, 1), u"式は正しい、 計算ミス"_s);

    session.applyScore(u"2"_s);
    EXPECT_EQ(session.tables().score(2, 1), u"2"_s);
    EXPECT_EQ(session.tables().score(1, 1), QString());
}

TEST(GradingSession, ColumnButtonsStepTheBoxAndKeepAtLeastOneColumn) {
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
        GradingSession session = sessionWith({QString()});
        EXPECT_EQ(session.stepColumns(test.step, test.box), test.text) << test.box.toStdString();
        EXPECT_EQ(session.columnCount(), test.columns) << test.box.toStdString();
        EXPECT_EQ(session.freshLayout(), !test.text.has_value()) << test.box.toStdString();
    }
}

TEST(GradingSession, ZoomWaitsForARegionAndMultipliesInSinglePrecision) {
    GradingSession session = sessionWith({QString()});
    session.zoom(ZoomStep::Enlarge);
    EXPECT_EQ(session.zoomFactor(), 1.0f);
    EXPECT_TRUE(session.freshLayout());

    session.buildPage(0);
    session.zoom(ZoomStep::Enlarge);
    session.zoom(ZoomStep::Reduce);
    EXPECT_EQ(session.zoomFactor(), static_cast<float>(double(static_cast<float>(1.17)) * 0.85));
    EXPECT_FALSE(session.freshLayout());
}

TEST(GradingSession, FullyGradedRegionsAreMarkedAtLoadAndAtEveryPageBuild) {
    GradingSession session = sessionWith({u"1"_s, u"0"_s});
    EXPECT_EQ(session.selectorColours()[0], SelectorColour::FullyGraded);
    session.buildPage(1);
    EXPECT_EQ(session.selectorColours(),
              (QList<SelectorColour>{SelectorColour::FullyGraded, SelectorColour::Current}));
    session.click(0, ShiftKey::Up);
    session.click(1, ShiftKey::Up);
    session.applyScore(u"1"_s);
    session.buildPage(0);
    EXPECT_EQ(session.selectorColours(),
              (QList<SelectorColour>{SelectorColour::Current, SelectorColour::FullyGraded}));

    EXPECT_EQ(sessionWith({}, 0).selectorColours()[1], SelectorColour::FullyGraded);
}
