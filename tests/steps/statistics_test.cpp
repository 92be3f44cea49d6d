// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_drawing.h"
#include "imaging/derived_bmp_saving.h"
#include "steps/question_statistics.h"
#include "steps/result_computation.h"
#include "steps/viewpoint_totals.h"
#include "temporary_workspace.h"
#include "workspace/cp932.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using steps::QuestionStatistics;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

QByteArray cp932Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += *workspace::cp932::encode(line) + "\r\n";
    return bytes;
}

// Five sheets, region 1 the name field. Totals 11, 7, 6, 11, 6: the top group (27 % of 5 is one
// sheet) is sheet 1, which outranks sheet 4 by its number, and the bottom group sheet 5, which
// ranks below sheet 3. Sheet 2 left question 2 empty; nobody has the full marks of question 3;
// everybody has those of question 4. Full marks: 5 and 4 as set, 4 the highest score given on
// question 2, 2 as set, and 0 for the name field.
void writeSmallClass(const TemporaryWorkspace& folder)
{
    folder.writeSheets(5, {400, 566});
    folder.writeBytes(paths::regionFile(),
                      cp932Lines({u"10,40,100,10"_s, u"10,90,100,60"_s, u"10,140,100,110"_s,
                                  u"10,190,100,160"_s, u"10,240,100,210"_s}));
    folder.writeBytes(paths::scoreFile(), cp932Lines({u"0,5,3,1,2"_s, u"0,5,,0,2"_s, u"0,0,2,2,2"_s,
                                                      u"0,4,4,1,2"_s, u"0,2,0,2,2"_s}));
    folder.writeBytes(paths::commentFile(), cp932Lines(QStringList(5, u",,,,"_s)));
    folder.writeBytes(paths::rosterFile(),
                      cp932Lines({u"山田"_s, u"\"佐藤\""_s, u"鈴木,一郎"_s, u"高橋"_s, QString()}));
    folder.writeBytes(paths::viewpointFile(),
                      cp932Lines({u","_s, u"知識・技能,5"_s, u"知識・技能,"_s,
                                  u"思考・判断・表現,4"_s, u",2"_s}));
}

steps::ResultOutcome compute(const TemporaryWorkspace& folder)
{
    return steps::computeResults(folder.workspace(), steps::RankDisplay::Hidden, QSize(400, 566),
                                 [](int count, const workspace::IndexedWork& work) {
                                     return workspace::runInParallel(count, work);
                                 });
}

void writeCutout(const TemporaryWorkspace& folder, int region, int sheet,
                 test_support::Handwriting handwriting)
{
    QDir().mkpath(folder.path(paths::cutoutFolder(region)));
    ASSERT_TRUE(imaging::saveDerivedBmp(test_support::drawnAnswer(handwriting, sheet),
                                        folder.path(paths::cutoutImage(region, sheet)))
                    .ok());
}

QuestionStatistics onlyQuestion(const QList<double>& scores, double fullMarks)
{
    const QList<qint32> totals(scores.cbegin(), scores.cend());
    const steps::ExamStatistics statistics =
        steps::examStatistics({{u"A"_s, fullMarks, scores}}, totals);
    EXPECT_FALSE(statistics.total.alpha) << "alpha needs two questions";
    return statistics.questions.first();
}

} // namespace

TEST(Statistics, TheTablesOfASmallClassHoldTheValuesWorkedByHand)
{
    TemporaryWorkspace folder;
    writeSmallClass(folder);

    const steps::ResultOutcome outcome = compute(folder);
    ASSERT_EQ(outcome.status, steps::ResultStatus::Saved) << outcome.message.toStdString();

    EXPECT_EQ(folder.readBytes(paths::statisticsTable()),
              cp932Lines({
                  u"領域,観点,満点,人数,平均,標準偏差,得点率,正答率,識別指数,項目残余相関,無答率"_s,
                  u"1,,0,5,0,0,,,,,"_s,
                  u"2,知識・技能,5,5,3.2,1.939,0.64,0.4,0.6,-0.231,"_s,
                  u"3,知識・技能,4,5,1.8,1.6,0.45,0.2,0.75,0.221,"_s,
                  u"4,思考・判断・表現,4,5,1.2,0.748,0.3,0,-0.25,-0.598,"_s,
                  u"5,,2,5,2,0,1,1,0,,"_s,
                  u"全体,平均,8.2,標準偏差,2.315,中央値,7,最小,6,最大,11,α係数,-0.378"_s,
              }));
    // Exactly half of 思考・判断・表現 is a B.
    EXPECT_EQ(folder.readBytes(paths::viewpointTable()),
              cp932Lines({
                  u"氏名,知識・技能得点,知識・技能満点,知識・技能割合,知識・技能評価,"
                  u"思考・判断・表現得点,思考・判断・表現満点,思考・判断・表現割合,"
                  u"思考・判断・表現評価"_s,
                  u"\"山田\",8,9,0.889,A,1,4,0.25,C"_s,
                  u"\"\"\"佐藤\"\"\",5,9,0.556,B,0,4,0,C"_s,
                  u"\"鈴木,一郎\",2,9,0.222,C,2,4,0.5,B"_s,
                  u"\"高橋\",8,9,0.889,A,1,4,0.25,C"_s,
                  u"\"\",2,9,0.222,C,2,4,0.5,B"_s,
              }));

    // Without any viewpoint the old kanten.csv goes, so that it is not taken for this run's.
    folder.writeBytes(paths::viewpointFile(), cp932Lines({u",5"_s}));
    ASSERT_EQ(compute(folder).status, steps::ResultStatus::Saved);
    EXPECT_FALSE(folder.exists(paths::viewpointTable()));
    EXPECT_TRUE(folder.readBytes(paths::statisticsTable()).contains("\r\n2,,5,5,3.2,"));
}

TEST(Statistics, UndefinedValuesStayEmptyForFewSheetsOrNoFullMarks)
{
    const QuestionStatistics one = onlyQuestion({3}, 5);
    EXPECT_EQ(one.mean, 3.0);
    EXPECT_EQ(one.standardDeviation, 0.0);
    EXPECT_EQ(one.scoreRate, 0.6);
    EXPECT_EQ(one.successRate, 0.0);
    EXPECT_FALSE(one.discrimination);
    EXPECT_FALSE(one.itemRestCorrelation);

    const QuestionStatistics none = onlyQuestion({}, 5);
    EXPECT_EQ(none.sheetCount, 0);
    EXPECT_FALSE(none.mean || none.standardDeviation || none.scoreRate || none.successRate);

    const QuestionStatistics noFullMarks = onlyQuestion({0, 0, 1}, 0);
    EXPECT_EQ(noFullMarks.mean, 1.0 / 3.0);
    EXPECT_FALSE(noFullMarks.scoreRate || noFullMarks.successRate || noFullMarks.discrimination);

    const steps::ExamStatistics empty =
        steps::examStatistics(steps::questionColumns({}, 2, {}), {});
    EXPECT_FALSE(empty.total.mean || empty.total.median || empty.total.alpha);
    EXPECT_EQ(empty.questions.size(), 2);
    EXPECT_EQ(empty.questions[0].fullMarks, 0.0);
}

TEST(Statistics, WarningsPointAtQuestionsThatDidNotWork)
{
    QuestionStatistics fine;
    fine.successRate = 0.2;
    fine.discrimination = 0.2;
    fine.itemRestCorrelation = 0.0;
    EXPECT_TRUE(steps::questionWarnings(fine).isEmpty());
    EXPECT_TRUE(steps::questionWarnings(QuestionStatistics()).isEmpty());

    QuestionStatistics failed = fine;
    failed.successRate = 0.1;
    failed.itemRestCorrelation = -0.05;
    const QStringList warnings = steps::questionWarnings(failed);
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].contains(u"配点や正答を見直してください"_s));

    QuestionStatistics easy = fine;
    easy.successRate = 0.95;
    easy.discrimination = 0.1;
    EXPECT_EQ(steps::questionWarnings(easy).size(), 2);
}

TEST(Statistics, GradesCompareTheShareWithTheThresholdsExactly)
{
    const workspace::GradeThresholds thresholds{80, 50};
    EXPECT_EQ(steps::viewpointGrade(4, 5, thresholds), u"A"_s);
    EXPECT_EQ(steps::viewpointGrade(3.99, 5, thresholds), u"B"_s);
    EXPECT_EQ(steps::viewpointGrade(0.5, 1, thresholds), u"B"_s);
    EXPECT_EQ(steps::viewpointGrade(0.49, 1, thresholds), u"C"_s);
    EXPECT_EQ(steps::viewpointGrade(0, 0, thresholds), QString());
    EXPECT_EQ(steps::viewpointGrade(7, 10, {70, 70}), u"A"_s);
}

TEST(Statistics, TheBlankRateComesFromTheCutoutsAndStaysEmptyWhenOneIsMissing)
{
    using enum test_support::Handwriting;
    TemporaryWorkspace folder;
    writeSmallClass(folder);
    const QList<test_support::Handwriting> answers{None, Stroke, None, Ring, FaintStroke};
    for (int sheet = 1; sheet <= 5; ++sheet) {
        writeCutout(folder, 2, sheet, answers[sheet - 1]);
        if (sheet != 4)
            writeCutout(folder, 3, sheet, None);
    }

    ASSERT_EQ(compute(folder).status, steps::ResultStatus::Saved);
    const QByteArray table = folder.readBytes(paths::statisticsTable());
    EXPECT_TRUE(table.contains("\r\n2,") && table.contains(",-0.231,0.4\r\n3,"))
        << table.toStdString();
    EXPECT_TRUE(table.contains(",0.75,0.221,\r\n4,")) << table.toStdString();
}
