// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_plan.h"

#include "totals_and_ranks.h"
#include "workspace/field_table_file.h"
#include "workspace/file_messages.h"
#include "workspace/region_file.h"
#include "workspace/roster_file.h"

#include <QFileInfo>
#include <QImageReader>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;
namespace paths = workspace::paths;

namespace steps {

namespace {

QString missingFileMessage(const QString& path, const QString& remedy)
{
    return u"ファイル「%1」がありません。\n%2"_s.arg(workspace::displayPath(path), remedy);
}

Expected<std::optional<QStringList>> readOptionalRoster(const QString& path)
{
    if (!QFileInfo::exists(path))
        return std::optional<QStringList>();
    Expected<QStringList> names = workspace::readRoster(path);
    if (!names)
        return Failure{names.error()};
    return std::optional<QStringList>(*names);
}

Expected<int> findMarkUnit(const workspace::Workspace& workFolder,
                           std::optional<QSize> shownPicture)
{
    if (shownPicture && !shownPicture->isEmpty())
        return markUnit(*shownPicture);
    const QString firstSheet = workFolder.path(paths::sheetImage(1));
    if (!QFileInfo::exists(firstSheet))
        return Failure{missingFileMessage(
            firstSheet, u"文字の大きさを決める答案の画像がありません。"
                        u"「1.答案読込」で答案を読み込んでから実行してください。"_s)};
    const QSize size = QImageReader(firstSheet).size();
    if (!size.isValid() || size.isEmpty())
        return Failure{
            workspace::messages::cannotRead(firstSheet, u"画像の大きさが分かりません。"_s)};
    return markUnit(size);
}

workspace::Status computeTotals(const QString& scorePath, ResultPlan& plan)
{
    Expected<QList<qint32>> totals = sheetTotals(plan.scoreRows, scorePath);
    if (!totals)
        return Failure{totals.error()};
    const int regionCount = static_cast<int>(plan.regions.size());
    for (int row = 0; row < plan.sheetCount(); ++row) {
        if (!drawnTotal(plan.scoreRows[row], regionCount, plan.regionOne))
            return Failure{totalTooLargeMessage(scorePath, row + 1)};
    }
    plan.totals = *totals;
    plan.ranks = competitionRanks(plan.totals);
    return {};
}

} // namespace

SheetMarkInput ResultPlan::markInput(int sheetIndex, double surfaceWidthTwips) const
{
    SheetMarkInput input;
    input.regions = regions;
    input.scores = scoreRows.value(sheetIndex);
    input.comments = commentRows.value(sheetIndex);
    input.unit = unit;
    input.surfaceWidthTwips = surfaceWidthTwips;
    input.regionOne = regionOne;
    if (rankDisplay == RankDisplay::Shown)
        input.rank = RankMark{ranks.value(sheetIndex), sheetCount()};
    return input;
}

int ResultPlan::regionFieldCount() const
{
    return scoreRows.isEmpty() ? 0 : static_cast<int>(scoreRows.first().size());
}

QList<workspace::GradeRow> ResultPlan::gradeRows() const
{
    QList<workspace::GradeRow> rows;
    rows.reserve(scoreRows.size());
    for (int row = 0; row < sheetCount(); ++row)
        rows.append({names.value(row), totals[row], ranks[row], scoreRows[row].join(u',')});
    return rows;
}

Expected<ResultPlan> planResults(const workspace::Workspace& workFolder, RankDisplay rankDisplay,
                                 std::optional<QSize> shownPicture)
{
    const QString regionPath = workFolder.path(paths::regionFile());
    const QString scorePath = workFolder.path(paths::scoreFile());
    const QString commentPath = workFolder.path(paths::commentFile());
    if (!QFileInfo::exists(regionPath))
        return Failure{missingFileMessage(
            regionPath, u"「3.切り取り終了」で答案を切り取ってから実行してください。"_s)};
    for (const QString& path : {scorePath, commentPath}) {
        if (!QFileInfo::exists(path))
            return Failure{missingFileMessage(
                path,
                u"「5.点数振り分け」で採点し、「採点終了」で保存してから実行してください。"_s)};
    }

    ResultPlan plan;
    plan.rankDisplay = rankDisplay;
    Expected<QList<workspace::RegionRect>> regions = workspace::readRegions(regionPath);
    if (!regions)
        return Failure{regions.error()};
    plan.regions = *regions;
    Expected<QList<QStringList>> scores = workspace::readFieldTable(scorePath);
    if (!scores)
        return Failure{scores.error()};
    plan.scoreRows = *scores;
    Expected<QList<QStringList>> comments = workspace::readFieldTable(commentPath);
    if (!comments)
        return Failure{comments.error()};
    plan.commentRows = *comments;
    if (plan.commentRows.size() < plan.scoreRows.size())
        return Failure{
            u"コメントのファイル「%1」が %2 行しかなく、点数のファイル「%3」の %4 "
            u"行に足りません。\n"
            u"「5.点数振り分け」を開き、「採点終了」で保存し直してから実行してください。"_s.arg(
                workspace::displayPath(commentPath), QString::number(plan.commentRows.size()),
                workspace::displayPath(scorePath), QString::number(plan.scoreRows.size()))};

    Expected<std::optional<QStringList>> roster =
        readOptionalRoster(workFolder.path(paths::rosterFile()));
    if (!roster)
        return Failure{roster.error()};
    if (roster->has_value()) {
        plan.regionOne = RegionOne::NameField;
        plan.names = roster->value().mid(0, plan.sheetCount());
    }

    Expected<ViewpointSetup> viewpoints =
        readViewpointSetup(workFolder, static_cast<int>(plan.regions.size()));
    if (!viewpoints)
        return Failure{viewpoints.error()};
    plan.viewpointSetup = *viewpoints;

    if (workspace::Status totals = computeTotals(scorePath, plan); !totals)
        return Failure{totals.error()};
    Expected<int> unit = findMarkUnit(workFolder, shownPicture);
    if (!unit)
        return Failure{unit.error()};
    plan.unit = *unit;
    // A sheet without its score line would drop out of the table without a word, and its earlier
    // marked sheet would be deleted; score lines without a sheet belong to another examination.
    if (const int sheets = workFolder.sheetCount(); sheets != plan.sheetCount())
        return Failure{
            u"点数のファイル「%1」は %2 行ですが、答案（フォルダ「%3」）は %4 枚あります。\n"
            u"「5.点数振り分け」を開き、「採点終了」で保存し直してから実行してください。"_s.arg(
                workspace::displayPath(scorePath), QString::number(plan.sheetCount()),
                workspace::displayPath(workFolder.path(paths::sheetFolder())),
                QString::number(sheets))};
    return plan;
}

} // namespace steps
