#include "result_computation.h"

#include "marked_sheet.h"
#include "workspace/folders.h"
#include "workspace/grade_table_file.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <atomic>
#include <numeric>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace results {

namespace {

struct SheetOutcome {
    enum class Kind { Drawn, Skipped, Failed };
    Kind kind = Kind::Skipped;
    QString error;
    imaging::SheetSurface surface; // kept for the last sheet only
};

QString unchangedNote() {
    return u"hyoukaフォルダと成績表（seiseki.csv）は変更していません。"_s;
}

// Draws every drawable sheet; the first failure in sheet order, if any, comes back.
std::optional<QString> drawSheets(const workspace::Workspace& workFolder, const ResultPlan& plan,
                                  const SheetProgressWait& waitForSheets,
                                  imaging::SheetSurface& lastSheet) {
    QList<int> indices(plan.drawnSheetCount);
    std::iota(indices.begin(), indices.end(), 0);
    std::atomic<bool> stopped = false;
    const int lastIndex = plan.drawnSheetCount - 1;
    QFuture<SheetOutcome> sheets =
        QtConcurrent::mapped(QThreadPool::globalInstance(), indices, [&](int index) {
            SheetOutcome outcome;
            if (stopped)
                return outcome;
            workspace::Expected<MarkedSheet> drawn = drawMarkedSheet(workFolder, plan, index);
            if (!drawn) {
                stopped = true;
                outcome.kind = SheetOutcome::Kind::Failed;
                outcome.error = drawn.error();
                return outcome;
            }
            outcome.kind = SheetOutcome::Kind::Drawn;
            // The main window keeps the last marked sheet as its sheet surface.
            if (index == lastIndex)
                outcome.surface = imaging::SheetSurface::fromPicture(
                    drawn->surface.copy(QRect(QPoint(), drawn->pictureSize)));
            return outcome;
        });
    waitForSheets(QFuture<void>(sheets));
    sheets.waitForFinished();

    const QList<SheetOutcome> outcomes = sheets.results();
    for (const SheetOutcome& outcome : outcomes) {
        if (outcome.kind == SheetOutcome::Kind::Failed)
            return outcome.error;
    }
    if (!outcomes.isEmpty())
        lastSheet = outcomes.last().surface;
    return std::nullopt;
}

} // namespace

QString savedMessage() {
    return u"hyoukaフォルダに採点結果を保存しました"_s;
}

ResultOutcome computeResults(const workspace::Workspace& workFolder, RankDisplay rankDisplay,
                             std::optional<QSize> shownPicture,
                             const SheetProgressWait& waitForSheets) {
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
        drawSheets(workFolder, *plan, waitForSheets, outcome.lastSheet);
    const workspace::Status table = workspace::writeGradeTable(
        workFolder.path(paths::gradeTable()), plan->regionFieldCount(), plan->gradeRows());

    QStringList problems;
    if (sheetError)
        problems.append(*sheetError + u"\n採点済みの答案の保存はここで中止しました。"_s);
    if (!table)
        problems.append(table.error());
    else if (sheetError)
        problems.append(u"成績表（seiseki.csv）は保存しました。"_s);
    if (problems.isEmpty()) {
        outcome.status = ResultStatus::Saved;
        outcome.message = savedMessage();
    } else {
        outcome.message = problems.join(u"\n\n"_s);
    }
    return outcome;
}

} // namespace results
