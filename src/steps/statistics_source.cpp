// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics_source.h"

#include "totals_and_ranks.h"
#include "workspace/field_table_file.h"
#include "workspace/region_file.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;
namespace paths = workspace::paths;

namespace steps {

bool ViewpointSetup::hasLabels() const
{
    return std::any_of(
        viewpoints.cbegin(), viewpoints.cend(),
        [](const workspace::RegionViewpoint& viewpoint) { return !viewpoint.label.isEmpty(); });
}

Expected<ViewpointSetup> readViewpointSetup(const workspace::Workspace& workFolder, int regionCount)
{
    Expected<QList<workspace::RegionViewpoint>> viewpoints =
        workspace::readViewpoints(workFolder.path(paths::viewpointFile()));
    if (!viewpoints)
        return Failure{viewpoints.error()};
    Expected<workspace::GradeThresholds> thresholds =
        workspace::readGradeThresholds(workFolder.path(paths::gradeThresholdFile()));
    if (!thresholds)
        return Failure{thresholds.error()};
    ViewpointSetup setup{*viewpoints, *thresholds};
    setup.viewpoints.resize(regionCount);
    return setup;
}

Expected<StatisticsSource> loadStatisticsSource(const workspace::Workspace& workFolder)
{
    const QString regionPath = workFolder.path(paths::regionFile());
    const QString noRegions =
        u"領域がまだありません。「3.切り取り終了」で答案を切り取ってから開いてください。"_s;
    if (!QFileInfo::exists(regionPath))
        return Failure{noRegions};
    Expected<QList<workspace::RegionRect>> regions = workspace::readRegions(regionPath);
    if (!regions)
        return Failure{regions.error()};
    if (regions->isEmpty())
        return Failure{noRegions};

    StatisticsSource source;
    source.regionCount = static_cast<int>(regions->size());
    Expected<ViewpointSetup> setup = readViewpointSetup(workFolder, source.regionCount);
    if (!setup)
        return Failure{setup.error()};
    source.setup = *setup;
    if (QFileInfo::exists(workFolder.path(paths::rosterFile())))
        source.regionOne = RegionOne::NameField;

    const QString scorePath = workFolder.path(paths::scoreFile());
    if (!QFileInfo::exists(scorePath))
        return source;
    Expected<QList<QStringList>> scores = workspace::readFieldTable(scorePath);
    if (!scores)
        return Failure{scores.error()};
    Expected<QList<qint32>> totals = sheetTotals(*scores, scorePath);
    if (!totals)
        return Failure{totals.error()};
    source.scoreRows = *scores;
    source.totals = *totals;
    return source;
}

} // namespace steps
