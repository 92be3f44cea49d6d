// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_computation.h"

#include "marked_sheet.h"
#include "question_ink.h"
#include "statistics_tables.h"
#include "workspace/file_messages.h"
#include "workspace/folders.h"
#include "workspace/grade_table_file.h"
#include "workspace/text_file.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace steps {

namespace {

QString unchangedNote()
{
    return u"hyoukaフォルダと成績表（seiseki.csv、toukei.csv、kanten.csv）は変更していません。"_s;
}

// Draws every drawable sheet; the first failure in sheet order, if any, comes back.
std::optional<QString> drawSheets(const workspace::Workspace& workFolder, const ResultPlan& plan,
                                  const workspace::ParallelRunner& runSheets,
                                  imaging::SheetSurface& lastSheet)
{
    std::atomic<bool> stopped = false;
    const int lastIndex = plan.sheetCount() - 1;
    const QList<workspace::Status> outcomes =
        runSheets(plan.sheetCount(), [&](int index) -> workspace::Status {
            if (stopped)
                return {};
            workspace::Expected<MarkedSheet> drawn = drawMarkedSheet(workFolder, plan, index);
            if (!drawn) {
                stopped = true;
                return workspace::Failure{drawn.error()};
            }
            // The main window keeps the last marked sheet as its sheet surface; only the work
            // on the last index writes it, and it is read after every sheet is done.
            if (index == lastIndex)
                lastSheet = imaging::SheetSurface::fromPicture(
                    drawn->surface.copy(QRect(QPoint(), drawn->pictureSize)));
            return {};
        });
    for (const workspace::Status& outcome : outcomes) {
        if (!outcome)
            return outcome.error();
    }
    return std::nullopt;
}

// toukei.csv, and kanten.csv when some region has a viewpoint; the failures, if any. Without
// viewpoints an earlier kanten.csv is removed, so that no table of another setup stays beside
// the new grade table.
QStringList writeStatisticsTables(const workspace::Workspace& workFolder, const ResultPlan& plan)
{
    // With a roster, region 1 is the name field: it keeps its line in toukei.csv with whatever
    // ini/haiten.txt holds for it (the grading window stores 0, so its full marks derive to 0 and
    // its ratios stay empty), and its scores count in the totals as they do in seiseki.csv.
    const QList<QuestionColumn> columns = questionColumns(
        plan.scoreRows, static_cast<int>(plan.regions.size()), plan.viewpointSetup.viewpoints);
    ExamStatistics statistics = examStatistics(columns, plan.totals);
    const std::vector<std::optional<double>> blankShares = questionBlankShares(
        workFolder, static_cast<int>(statistics.questions.size()), plan.sheetCount());
    for (qsizetype index = 0; index < statistics.questions.size(); ++index)
        statistics.questions[index].blankRate = blankShares[std::size_t(index)];
    QStringList problems;
    if (workspace::Status written = workspace::writeTextLines(
            workFolder.path(paths::statisticsTable()), statisticsTableLines(statistics));
        !written)
        problems.append(written.error());

    const QString viewpointPath = workFolder.path(paths::viewpointTable());
    if (plan.viewpointSetup.hasLabels()) {
        if (workspace::Status written = workspace::writeTextLines(
                viewpointPath,
                viewpointTableLines(plan.names,
                                    viewpointTable(columns, plan.viewpointSetup.thresholds)));
            !written)
            problems.append(written.error());
    } else if (QFileInfo::exists(viewpointPath) && !QFile::remove(viewpointPath)) {
        problems.append(workspace::messages::cannotDelete(viewpointPath));
    }
    return problems;
}

} // namespace

QString savedMessage()
{
    return u"hyoukaフォルダに採点結果を保存しました"_s;
}

ResultOutcome computeResults(const workspace::Workspace& workFolder, RankDisplay rankDisplay,
                             std::optional<QSize> shownPicture,
                             const workspace::ParallelRunner& runSheets)
{
    ResultOutcome outcome;
    workspace::Expected<ResultPlan> plan = planResults(workFolder, rankDisplay, shownPicture);
    if (!plan) {
        outcome.message = plan.error() + u"\n\n"_s + unchangedNote();
        return outcome;
    }
    if (workspace::Status cleared =
            workspace::prepareEmptyFolder(workFolder.path(paths::markedFolder()));
        !cleared) {
        outcome.message = cleared.error();
        return outcome;
    }

    const std::optional<QString> sheetError =
        drawSheets(workFolder, *plan, runSheets, outcome.lastSheet);
    const workspace::Status table = workspace::writeGradeTable(
        workFolder.path(paths::gradeTable()), plan->regionFieldCount(), plan->gradeRows());

    const QStringList statisticsProblems = writeStatisticsTables(workFolder, *plan);

    QStringList problems;
    if (sheetError)
        problems.append(*sheetError + u"\n採点済みの答案の保存はここで中止しました。"_s);
    if (!table)
        problems.append(table.error());
    else if (sheetError)
        problems.append(u"成績表（seiseki.csv）は保存しました。"_s);
    problems.append(statisticsProblems);
    if (problems.isEmpty()) {
        outcome.status = ResultStatus::Saved;
        outcome.message = savedMessage();
    } else {
        outcome.message = problems.join(u"\n\n"_s);
    }
    return outcome;
}

} // namespace steps
