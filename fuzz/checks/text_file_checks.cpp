// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_support.h"
#include "input_checks.h"

#include "grading/grading_state.h"
#include "grading/grading_tables.h"
#include "grading/grid_layout.h"
#include "imaging/cutout.h"
#include "steps/mark_layout.h"
#include "steps/result_plan.h"
#include "steps/statistics_tables.h"
#include "workspace/field_table_file.h"
#include "workspace/grade_table_file.h"
#include "workspace/grade_threshold_file.h"
#include "workspace/limits.h"
#include "workspace/region_file.h"
#include "workspace/roster_file.h"
#include "workspace/units.h"
#include "workspace/viewpoint_file.h"

#include <QImage>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::RegionRect;
namespace paths = workspace::paths;

namespace fuzzing {

namespace {

constexpr int kScratchSheets = 3;
const QSize kShownPicture{800, 1132};

void placeLines(const QString& relative, const QByteArray& lines)
{
    placeInput(relative, lines);
}

// Three sheets (their files need only exist here) and three regions, with everything else taken
// from the input where the check asks for it.
void placeExamination()
{
    for (int sheet = 1; sheet <= kScratchSheets; ++sheet)
        placeInput(paths::sheetImage(sheet), {});
    placeLines(paths::regionFile(), "40,140,380,60\r\n40,400,380,300\r\n40,700,380,600\r\n");
    placeLines(paths::scoreFile(), "1,2,3\r\n,,\r\n2.5,x,-1\r\n");
    placeLines(paths::commentFile(), ",,\r\nよい,,\r\n,,\r\n");
    removeFile(paths::rosterFile());
    removeFile(paths::viewpointFile());
    removeFile(paths::gradeThresholdFile());
}

bool isFinite(const QRectF& rect)
{
    return std::isfinite(rect.x()) && std::isfinite(rect.y()) && std::isfinite(rect.width())
           && std::isfinite(rect.height());
}

// Cutting a small sheet at each region, in both of the sheet forms cutting reads.
void checkCutOuts(const QList<RegionRect>& regions, Findings& findings)
{
    QImage sheet(40, 30, QImage::Format_BGR888);
    sheet.fill(Qt::blue);
    for (const RegionRect& region : regions) {
        const QImage cutout = imaging::cutOut(sheet, region);
        if (!cutout.isNull())
            findings.require(cutout.size() == QSize(region.width(), region.height()),
                             u"a cut-out of %1 has the size %2 × %3"_s.arg(
                                 workspace::regionLine(region), QString::number(cutout.width()),
                                 QString::number(cutout.height())));
    }
}

// The grid of answers and the marks on the sheets, wherever the regions put them.
void checkLayouts(const QList<RegionRect>& regions, Findings& findings)
{
    for (const RegionRect& region : regions) {
        for (const int columns : {1, 17, 66, 500}) {
            for (const grading::CommentDisplay comments :
                 {grading::CommentDisplay::Hidden, grading::CommentDisplay::Shown}) {
                const grading::GridMetrics metrics{region.width(), region.height(), 1.17f, columns,
                                                   comments};
                const grading::CellGeometry last =
                    grading::cellGeometry(metrics, workspace::kMaxSheets - 1);
                findings.require(isFinite(last.frame) && isFinite(last.commentBox),
                                 u"the grid places an answer of %1 nowhere"_s.arg(
                                     workspace::regionLine(region)));
            }
        }
    }
    steps::SheetMarkInput input;
    input.regions = regions;
    input.scores = QStringList(regions.size(), u"12.5"_s);
    input.comments = QStringList(regions.size(), u"よい"_s);
    input.unit = steps::markUnit(kShownPicture);
    input.surfaceWidthTwips = workspace::naturalTwips(kShownPicture.width());
    input.rank = steps::RankMark{1, 1};
    const QList<steps::MarkText> marks = steps::sheetMarks(input);
    findings.require(marks.size() >= 2, u"a sheet lacks its total"_s);
}

// Opens the scratch examination as the grading window does, builds every region's page, saves,
// and opens it again: what was saved is what was loaded.
void checkGradingRoundTrip(Findings& findings)
{
    const workspace::Workspace& scratch = scratchWorkspace();
    Expected<grading::GradingTables> loaded = grading::GradingTables::load(scratch);
    if (!loaded) {
        findings.require(loaded.error().contains(u".txt"_s) || loaded.error().contains(u"touan"_s),
                         u"the grading window refuses without naming a file: "_s + loaded.error());
        return;
    }
    grading::GradingState state(std::move(loaded).value());
    const grading::GradingTables& tables = state.tables();
    for (int index = 0; index < tables.regionCount(); ++index)
        state.buildPage(index);
    if (const workspace::Status saved = tables.save(scratch); !saved) {
        findings.require(saved.error().contains(u"改行"_s) || saved.error().contains(u"文字"_s),
                         u"saving the grading tables failed: "_s + saved.error());
        return;
    }
    Expected<grading::GradingTables> reloaded = grading::GradingTables::load(scratch);
    findings.require(reloaded.hasValue(), u"saved grading tables do not load: "_s
                                              + (reloaded ? QString() : reloaded.error()));
    if (!reloaded)
        return;
    for (int sheet = 1; sheet <= tables.sheetCount(); ++sheet)
        for (int region = 1; region <= tables.regionCount(); ++region)
            findings.require(
                reloaded->score(sheet, region) == tables.score(sheet, region)
                    && reloaded->comment(sheet, region) == tables.comment(sheet, region),
                u"sheet %1, region %2 changed on saving"_s.arg(QString::number(sheet),
                                                               QString::number(region)));
}

// Plans result computation over the scratch examination: it either refuses with a message
// naming a file, or gives every sheet a total, a rank within range and a grade table line.
void checkResultPlan(Findings& findings)
{
    Expected<steps::ResultPlan> plan =
        steps::planResults(scratchWorkspace(), steps::RankDisplay::Shown, kShownPicture);
    if (!plan) {
        findings.require(plan.error().contains(u".txt"_s),
                         u"result computation refuses without naming a file: "_s + plan.error());
        return;
    }
    const int sheets = plan->sheetCount();
    findings.require(plan->totals.size() == sheets && plan->ranks.size() == sheets,
                     u"a sheet lacks its total or rank"_s);
    for (const qint32 rank : plan->ranks)
        findings.require(rank >= 1 && rank <= sheets, u"rank %1 of %2"_s.arg(rank).arg(sheets));
    const QList<workspace::GradeRow> rows = plan->gradeRows();
    const QStringList lines = workspace::gradeTableLines(plan->regionFieldCount(), rows);
    findings.require(lines.size() == sheets + 1, u"the grade table misses lines"_s);
    for (int sheet = 0; sheet < plan->sheetCount(); ++sheet)
        findings.require(!steps::sheetMarks(plan->markInput(sheet, 12000)).isEmpty(),
                         u"a sheet without marks"_s);
}

bool isFinite(std::optional<double> value)
{
    return !value || std::isfinite(*value);
}

// The statistics and viewpoint tables of result computation over the scratch examination: a line
// for every region and sheet, and no value that would print as "inf" or "nan".
void checkStatisticsTables(Findings& findings)
{
    Expected<steps::ResultPlan> plan =
        steps::planResults(scratchWorkspace(), steps::RankDisplay::Hidden, kShownPicture);
    if (!plan)
        return;
    const int regions = static_cast<int>(plan->regions.size());
    const QList<steps::QuestionColumn> columns =
        steps::questionColumns(plan->scoreRows, regions, plan->viewpointSetup.viewpoints);
    const steps::ExamStatistics statistics = steps::examStatistics(columns, plan->totals);
    for (const steps::QuestionStatistics& question : statistics.questions)
        findings.require(std::isfinite(question.fullMarks) && isFinite(question.mean)
                             && isFinite(question.standardDeviation) && isFinite(question.scoreRate)
                             && isFinite(question.successRate) && isFinite(question.discrimination)
                             && isFinite(question.itemRestCorrelation),
                         u"a question's statistics are not finite"_s);
    findings.require(isFinite(statistics.total.mean) && isFinite(statistics.total.standardDeviation)
                         && isFinite(statistics.total.alpha),
                     u"the totals' statistics are not finite"_s);
    findings.require(steps::statisticsTableLines(statistics).size() == regions + 2,
                     u"toukei.csv misses lines"_s);

    const steps::ViewpointTable table =
        steps::viewpointTable(columns, plan->viewpointSetup.thresholds);
    for (const QList<steps::ViewpointResult>& sheet : table.sheets)
        for (const steps::ViewpointResult& result : sheet)
            findings.require(std::isfinite(result.score) && std::isfinite(result.fullMarks)
                                 && isFinite(result.share),
                             u"a viewpoint result is not finite"_s);
    findings.require(steps::viewpointTableLines(plan->names, table).size()
                         == plan->sheetCount() + 1,
                     u"kanten.csv misses lines"_s);
}

std::optional<QString> checkFieldFile(const QString& relative, QByteArrayView input)
{
    Findings findings;
    placeExamination();
    const QString path = placeInput(relative, input);
    Expected<QList<QStringList>> rows = workspace::readFieldTable(path);
    if (!rows) {
        findings.requireNamed(rows.error(), path);
        return findings.first();
    }
    findings.require(rows->size() <= workspace::kMaxSheets, u"more lines than sheets"_s);
    bool holdsLineFeed = false;
    for (const QStringList& row : *rows) {
        findings.require(row.size() <= workspace::kMaxRegions, u"more fields than regions"_s);
        for (const QString& field : row)
            holdsLineFeed = holdsLineFeed || field.contains(u'\n');
    }
    const QString copy = scratchWorkspace().path(u"ini/copy.txt"_s);
    const workspace::Status written = workspace::writeFieldTable(copy, *rows);
    // A lone LF stays inside a line when read; it cannot be written back as part of a field.
    findings.require(written.ok() != holdsLineFeed,
                     u"writing the table back: "_s + (written ? u"written"_s : written.error()));
    if (written) {
        Expected<QList<QStringList>> again = workspace::readFieldTable(copy);
        findings.require(again && *again == *rows, u"the table reads back differently"_s);
    }
    checkGradingRoundTrip(findings);
    checkResultPlan(findings);
    return findings.first();
}

} // namespace

std::optional<QString> checkRegionFile(QByteArrayView input)
{
    Findings findings;
    placeExamination();
    const QString path = placeInput(paths::regionFile(), input);
    Expected<QList<RegionRect>> regions = workspace::readRegions(path);
    if (!regions) {
        findings.requireNamed(regions.error(), path);
        return findings.first();
    }
    findings.require(regions->size() <= workspace::kMaxRegions, u"more than 101 regions"_s);
    const workspace::RegionTables tables = workspace::RegionTables::fromRegions(*regions);
    findings.require(tables.regions() == *regions, u"the region tables lost a region"_s);
    const QString copy = scratchWorkspace().path(u"ini/copy.txt"_s);
    findings.require(workspace::writeRegions(copy, *regions).ok(), u"regions not written"_s);
    Expected<QList<RegionRect>> again = workspace::readRegions(copy);
    findings.require(again && *again == *regions, u"the regions read back differently"_s);
    checkCutOuts(*regions, findings);
    checkLayouts(*regions, findings);
    checkGradingRoundTrip(findings);
    checkResultPlan(findings);
    return findings.first();
}

std::optional<QString> checkScoreFile(QByteArrayView input)
{
    return checkFieldFile(paths::scoreFile(), input);
}

std::optional<QString> checkCommentFile(QByteArrayView input)
{
    return checkFieldFile(paths::commentFile(), input);
}

std::optional<QString> checkRosterFile(QByteArrayView input)
{
    Findings findings;
    placeExamination();
    const QString path = placeInput(paths::rosterFile(), input);
    Expected<QStringList> names = workspace::readRoster(path);
    if (!names) {
        findings.requireNamed(names.error(), path);
        return findings.first();
    }
    findings.require(names->size() <= workspace::kMaxSheets, u"more names than sheets"_s);
    const QString copy = scratchWorkspace().path(u"ini/copy.txt"_s);
    findings.require(workspace::writeRoster(copy, *names).ok(), u"names not written"_s);
    Expected<QStringList> again = workspace::readRoster(copy);
    // An empty roster is written as one empty line.
    const QStringList expected = names->isEmpty() ? QStringList{QString()} : *names;
    findings.require(again && *again == expected, u"the roster reads back differently"_s);
    checkGradingRoundTrip(findings);
    checkResultPlan(findings);
    return findings.first();
}

std::optional<QString> checkViewpointFile(QByteArrayView input)
{
    Findings findings;
    placeExamination();
    const QString thresholdPath = placeInput(paths::gradeThresholdFile(), input);
    Expected<workspace::GradeThresholds> thresholds = workspace::readGradeThresholds(thresholdPath);
    if (thresholds)
        findings.require(workspace::thresholdProblem(*thresholds).isEmpty(),
                         u"thresholds that cannot grade were read"_s);
    else
        findings.requireNamed(thresholds.error(), thresholdPath);
    removeFile(paths::gradeThresholdFile());

    const QString path = placeInput(paths::viewpointFile(), input);
    Expected<QList<workspace::RegionViewpoint>> viewpoints = workspace::readViewpoints(path);
    if (!viewpoints) {
        findings.requireNamed(viewpoints.error(), path);
        return findings.first();
    }
    findings.require(viewpoints->size() <= workspace::kMaxRegions, u"more than 101 lines"_s);
    const QString copy = scratchWorkspace().path(u"ini/copy.txt"_s);
    const workspace::Status written = workspace::writeViewpoints(copy, *viewpoints);
    findings.require(written.ok(), u"viewpoints not written: "_s + written.error());
    Expected<QList<workspace::RegionViewpoint>> again = workspace::readViewpoints(copy);
    findings.require(again && *again == *viewpoints, u"the viewpoints read back differently"_s);
    checkResultPlan(findings);
    checkStatisticsTables(findings);
    return findings.first();
}

} // namespace fuzzing
