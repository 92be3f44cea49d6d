// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_report.h"
#include "steps/question_statistics.h"
#include "steps/statistics_tables.h"
#include "steps/totals_and_ranks.h"
#include "steps/viewpoint_totals.h"
#include "workspace/grade_table_file.h"

#include <QCoreApplication>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kSheets = 500;
constexpr int kRegions = 100;

// Scores as the grading window stores them: whole and half points, some answers left empty.
QList<QStringList> syntheticScores()
{
    QList<QStringList> rows;
    for (int sheet = 0; sheet < kSheets; ++sheet) {
        QStringList row;
        for (int region = 0; region < kRegions; ++region) {
            const int draw = (sheet * 7919 + region * 104729) % 23;
            row.append(draw == 0 ? QString() : QString::number(draw % 11 / 2.0));
        }
        rows.append(row);
    }
    return rows;
}

// The three viewpoints in turn; every other question with its full marks set.
QList<workspace::RegionViewpoint> syntheticViewpoints()
{
    const QStringList labels{u"知識・技能"_s, u"思考・判断・表現"_s,
                             u"主体的に学習に取り組む態度"_s};
    QList<workspace::RegionViewpoint> viewpoints;
    for (int region = 0; region < kRegions; ++region)
        viewpoints.append({labels[region % 3], region % 2 == 0 ? u"5"_s : QString()});
    return viewpoints;
}

} // namespace

// The statistics and viewpoint tables of "6.採点実行" for 500 sheets of 100 questions, from the
// score lines to the lines of toukei.csv and kanten.csv, against the same-run baseline of the
// grade table's own work on the same lines (totals, ranks and the lines of seiseki.csv).
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QList<QStringList> scores = syntheticScores();
    const QList<workspace::RegionViewpoint> viewpoints = syntheticViewpoints();
    const QStringList names(kSheets, u"山田　花子"_s);
    workspace::Expected<QList<qint32>> totals = steps::sheetTotals(scores, u"haiten.txt"_s);
    if (!totals)
        throw std::runtime_error(totals.error().toStdString());

    qsizetype lineCount = 0;
    const double statistics = bench::bestSecondsFor(5, [&] {
        const QList<steps::QuestionColumn> columns =
            steps::questionColumns(scores, kRegions, viewpoints);
        lineCount = steps::statisticsTableLines(steps::examStatistics(columns, *totals)).size()
                    + steps::viewpointTableLines(
                          names, steps::viewpointTable(columns, workspace::GradeThresholds()))
                          .size();
    });
    if (lineCount != kRegions + 2 + kSheets + 1)
        throw std::runtime_error("the tables miss lines");

    const double baseline = bench::bestSecondsFor(5, [&] {
        workspace::Expected<QList<qint32>> sums = steps::sheetTotals(scores, u"haiten.txt"_s);
        const QList<qint32> ranks = steps::competitionRanks(*sums);
        QList<workspace::GradeRow> rows;
        for (int sheet = 0; sheet < kSheets; ++sheet)
            rows.append({names[sheet], (*sums)[sheet], ranks[sheet], scores[sheet].join(u',')});
        lineCount = workspace::gradeTableLines(kRegions, rows).size();
    });

    const QString label = u"%1 sheets, %2 regions"_s.arg(kSheets).arg(kRegions);
    bench::report(label + u": statistics and viewpoint tables"_s, statistics * 1000, u"ms"_s);
    bench::report(label + u": grade table baseline"_s, baseline * 1000, u"ms"_s);
    bench::report(label + u": ratio"_s, statistics / baseline, u"x"_s);
    return 0;
}
