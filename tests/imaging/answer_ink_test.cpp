// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_drawing.h"
#include "imaging/answer_ink.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/similar_order.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using imaging::InkJudgement;
using test_support::drawnAnswer;
using test_support::Handwriting;

namespace {

std::vector<InkJudgement> judgementsOf(const QList<Handwriting>& answers, int firstSeed = 1)
{
    std::vector<imaging::GreyThumbnail> thumbnails;
    for (qsizetype index = 0; index < answers.size(); ++index)
        thumbnails.push_back(
            imaging::greyThumbnail(drawnAnswer(answers[index], firstSeed + int(index))));
    std::vector<InkJudgement> judgements;
    for (const imaging::AnswerInk& answer : imaging::judgeAnswerInk(thumbnails))
        judgements.push_back(answer.judgement);
    return judgements;
}

} // namespace

TEST(AnswerInk, TheBoxAndFigureEveryAnswerHasAreNotInkButAFaintStrokeIs)
{
    using enum Handwriting;
    const QList<Handwriting> answers{None, Stroke, Ring,   None, FaintStroke, Cross, Ring,  None,
                                     None, Ring,   Stroke, None, Cross,       Ring,  Stroke};
    std::vector<InkJudgement> expected;
    for (Handwriting answer : answers)
        expected.push_back(answer == None ? InkJudgement::Blank : InkJudgement::Written);
    // Other noise, dust and shifts: the same answers on another set of sheets.
    for (int firstSeed : {1, 100, 200})
        EXPECT_EQ(judgementsOf(answers, firstSeed), expected) << "first seed " << firstSeed;
}

TEST(AnswerInk, FewerThanFiveAnswersAreJudgedAgainstThePaperAndPrintCountsAsInk)
{
    using enum Handwriting;
    // Without a background the printed box is ink: nothing is taken for blank.
    EXPECT_EQ(judgementsOf({None, Stroke, FaintStroke, None}),
              std::vector<InkJudgement>(4, InkJudgement::Written));

    // An empty box of plain paper with dust is blank; a faint stroke on it is not.
    QImage empty(200, 80, QImage::Format_RGB32);
    empty.fill(QColor(240, 240, 240));
    empty.setPixel(50, 40, qRgb(30, 30, 30));
    empty.setPixel(51, 40, qRgb(30, 30, 30));
    QImage faint = empty;
    for (int x = 40; x < 100; ++x)
        for (int y = 38; y < 41; ++y)
            faint.setPixel(x, y, qRgb(180, 180, 180));
    std::vector<InkJudgement> judgements;
    for (const imaging::AnswerInk& answer :
         imaging::judgeAnswerInk({imaging::greyThumbnail(empty), imaging::greyThumbnail(faint)}))
        judgements.push_back(answer.judgement);
    EXPECT_EQ(judgements, (std::vector{InkJudgement::Blank, InkJudgement::Written}));
}

TEST(AnswerInk, AMissingCutoutOrOneOfAnotherSizeIsNeverBlank)
{
    QTemporaryDir folder;
    std::vector<imaging::GreyThumbnail> thumbnails;
    for (int seed = 1; seed <= 6; ++seed) {
        const QString path = folder.filePath(u"%1.bmp"_s.arg(seed));
        ASSERT_TRUE(imaging::saveDerivedBmp(drawnAnswer(Handwriting::None, seed), path).ok());
        thumbnails.push_back(imaging::readGreyThumbnail(path));
    }
    // The workspace's BMP read in place gives the thumbnail of the decoded picture.
    EXPECT_EQ(thumbnails.front().pixels,
              imaging::greyThumbnail(drawnAnswer(Handwriting::None, 1)).pixels);
    thumbnails.push_back(imaging::readGreyThumbnail(folder.filePath(u"missing.bmp"_s)));
    EXPECT_TRUE(thumbnails.back().isNull());
    thumbnails.push_back(
        imaging::greyThumbnail(drawnAnswer(Handwriting::None, 7).copy(0, 0, 100, 80)));

    const std::vector<imaging::AnswerInk> answers = imaging::judgeAnswerInk(thumbnails);
    ASSERT_EQ(answers.size(), 8u);
    for (std::size_t index = 0; index < 6; ++index)
        EXPECT_EQ(answers[index].judgement, InkJudgement::Blank) << index;
    EXPECT_EQ(answers[6].judgement, InkJudgement::Unknown);
    EXPECT_EQ(answers[7].judgement, InkJudgement::Unknown);
}

TEST(SimilarOrder, BlankAnswersComeFirstInSheetOrderThenEachKindTogetherAndUnknownLast)
{
    using enum Handwriting;
    const QList<Handwriting> drawn{Ring, Cross, Stroke, None,  Cross, Ring,   Stroke, Cross,
                                   Ring, None,  Stroke, Cross, Ring,  Stroke, Ring};
    std::vector<imaging::GreyThumbnail> thumbnails;
    for (qsizetype index = 0; index < drawn.size(); ++index)
        thumbnails.push_back(imaging::greyThumbnail(drawnAnswer(drawn[index], int(index) + 1)));
    thumbnails.push_back({});
    const std::vector<int> order = imaging::similarOrder(imaging::judgeAnswerInk(thumbnails));

    ASSERT_EQ(order.size(), thumbnails.size());
    EXPECT_TRUE(std::is_permutation(
        order.begin(), order.end(),
        std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}.begin()));
    EXPECT_EQ(order[0], 3);
    EXPECT_EQ(order[1], 9);
    EXPECT_EQ(order.back(), 15);
    // Rings (5), then crosses and strokes (4 each), each kind in one run.
    std::vector<Handwriting> runs;
    for (auto place = order.begin() + 2; place != order.end() - 1; ++place)
        if (runs.empty() || runs.back() != drawn[*place])
            runs.push_back(drawn[*place]);
    ASSERT_EQ(runs.size(), 3u) << ::testing::PrintToString(order);
    EXPECT_EQ(runs.front(), Ring);
}

TEST(AnswerInk, ALargeRegionIsJudgedInLargerBlocksAndAShortStrokeStillCounts)
{
    std::vector<imaging::GreyThumbnail> thumbnails;
    for (int answer = 0; answer < 6; ++answer) {
        QImage page(1200, 1000, QImage::Format_RGB32);
        page.fill(QColor(240, 240, 240));
        QPainter painter(&page);
        painter.setPen(QPen(QColor(30, 30, 30), 3));
        painter.drawRect(10 + answer % 3, 10, 1170, 970);
        if (answer % 2 == 1)
            painter.drawLine(500 + 50 * answer, 400, 500 + 50 * answer, 440);
        painter.end();
        thumbnails.push_back(imaging::greyThumbnail(page));
    }
    EXPECT_EQ(thumbnails.front().block, 5);
    EXPECT_EQ(thumbnails.front().width, 240);
    std::vector<InkJudgement> judgements;
    for (const imaging::AnswerInk& answer : imaging::judgeAnswerInk(thumbnails))
        judgements.push_back(answer.judgement);
    EXPECT_EQ(judgements,
              (std::vector{InkJudgement::Blank, InkJudgement::Written, InkJudgement::Blank,
                           InkJudgement::Written, InkJudgement::Blank, InkJudgement::Written}));
}

TEST(AnswerInk, PrintShiftedFurtherThanItsLinesAreWideIsLinedUpFirst)
{
    std::vector<imaging::GreyThumbnail> thumbnails;
    const QList<int> shifts{0, 5, -5, 3, -4, 4, -2, 5, -5};
    for (qsizetype answer = 0; answer < shifts.size(); ++answer) {
        QImage cutout(300, 100, QImage::Format_RGB32);
        cutout.fill(QColor(240, 240, 240));
        QPainter painter(&cutout);
        painter.setPen(QPen(QColor(30, 30, 30), 2));
        painter.translate(shifts[answer], -shifts[answer]);
        painter.drawRect(10, 10, 280, 80);
        painter.drawLine(200, 20, 200, 80);
        if (answer == 4)
            painter.drawLine(60, 50, 120, 50);
        painter.end();
        thumbnails.push_back(imaging::greyThumbnail(cutout));
    }
    std::vector<InkJudgement> expected(shifts.size(), InkJudgement::Blank);
    expected[4] = InkJudgement::Written;
    std::vector<InkJudgement> judgements;
    for (const imaging::AnswerInk& answer : imaging::judgeAnswerInk(thumbnails))
        judgements.push_back(answer.judgement);
    EXPECT_EQ(judgements, expected);
}

TEST(AnswerInk, AChoiceCircledAlikeOnMostSheetsIsStillWritten)
{
    // Ten pupils of twelve ring the same printed option: their rings must not become the
    // background that the blank answers are measured against.
    std::vector<imaging::GreyThumbnail> thumbnails;
    std::vector<InkJudgement> expected;
    for (int answer = 0; answer < 12; ++answer) {
        QImage cutout(240, 80, QImage::Format_RGB32);
        cutout.fill(QColor(240, 240, 240));
        QPainter painter(&cutout);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(30, 30, 30), 2));
        for (int option = 0; option < 3; ++option)
            painter.drawRect(40 + 70 * option, 30, 16, 16);
        const bool blank = answer % 6 == 0;
        if (!blank) {
            painter.setPen(QPen(QColor(50, 50, 60), 3));
            // As pupils draw them: the centre and the size a few pixels apart.
            painter.drawEllipse(QPointF(42 + (answer * 5) % 13, 33 + (answer * 3) % 11),
                                15 + answer % 5, 14 + answer % 4);
        }
        painter.end();
        thumbnails.push_back(imaging::greyThumbnail(cutout));
        expected.push_back(blank ? InkJudgement::Blank : InkJudgement::Written);
    }
    std::vector<InkJudgement> judgements;
    for (const imaging::AnswerInk& answer : imaging::judgeAnswerInk(thumbnails))
        judgements.push_back(answer.judgement);
    EXPECT_EQ(judgements, expected);
}

TEST(AnswerInk, CutoutsOfAFewPixelsAreJudgedAndOrderedWithoutFault)
{
    std::vector<imaging::GreyThumbnail> thumbnails;
    for (int answer = 0; answer < 9; ++answer) {
        QImage cutout(answer % 3 == 1 ? 4 : 3, 2, QImage::Format_RGB32);
        cutout.fill(answer % 3 == 0 ? Qt::black : Qt::white);
        thumbnails.push_back(imaging::greyThumbnail(cutout));
    }
    const std::vector<imaging::AnswerInk> answers = imaging::judgeAnswerInk(thumbnails);
    ASSERT_EQ(answers.size(), thumbnails.size());
    // Too small for a stroke: nothing is written, and those of the rarer size are not judged.
    for (std::size_t index = 0; index < answers.size(); ++index)
        EXPECT_EQ(answers[index].judgement,
                  index % 3 == 1 ? InkJudgement::Unknown : InkJudgement::Blank)
            << index;
    EXPECT_EQ(imaging::similarOrder(answers).size(), answers.size());
}
