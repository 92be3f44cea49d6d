// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mark_layout.h"
#include "workspace/expected.h"
#include "workspace/grade_threshold_file.h"
#include "workspace/viewpoint_file.h"
#include "workspace/workspace_paths.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace steps {

// The viewpoints and grade thresholds kept in ini/, each at its default when its file is missing.
struct ViewpointSetup {
    QList<workspace::RegionViewpoint> viewpoints; // one per region
    workspace::GradeThresholds thresholds;

    [[nodiscard]] bool hasLabels() const;
};

// Reads ini/kanten.txt and ini/kanten_kijun.txt for regionCount regions. A region without a
// line has no viewpoint and takes its full marks from the scores; lines beyond the last region,
// left from a larger set of regions, are dropped. Fails naming the file and line of a malformed
// file.
[[nodiscard]] workspace::Expected<ViewpointSetup>
readViewpointSetup(const workspace::Workspace& workFolder, int regionCount);

// What the viewpoint and statistics window works on.
struct StatisticsSource {
    int regionCount = 0;
    ViewpointSetup setup;
    RegionOne regionOne = RegionOne::Scored;
    // The lines of ini/haiten.txt, nothing while it does not exist, and their totals.
    std::optional<QList<QStringList>> scoreRows;
    QList<qint32> totals;
};

// Reads ini/zahyo.txt, the viewpoint setup and, where they exist, ini/haiten.txt and
// ini/meibo.txt. Fails with a message when there are no regions yet (cutting comes first) or a
// file is malformed.
[[nodiscard]] workspace::Expected<StatisticsSource>
loadStatisticsSource(const workspace::Workspace& workFolder);

} // namespace steps
