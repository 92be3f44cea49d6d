// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"
#include "workspace/region_rect.h"
#include "workspace/workspace_paths.h"

#include <QList>

namespace steps {

// One run of cutting every sheet into its answer images furiwake/RRR/SSS.bmp, for the regions
// of ini/zahyo.txt. Sheets are taken as the unbroken run touan/001.bmp, 002.bmp, …; each is
// cut at its own size. The sheets may be cut on several threads at once.
class AnswerCutting {
public:
    AnswerCutting(workspace::Workspace workspace, QList<workspace::RegionRect> regions);

    // Counts the sheets and makes furiwake/ and, when there is a sheet, each region's folder,
    // emptied of the cut-outs of an earlier run. Folders of regions beyond these stay as they are.
    workspace::Status prepare();

    [[nodiscard]] int sheetCount() const { return m_sheetCount; }

    // Cuts sheet index + 1. Safe to call from several threads.
    [[nodiscard]] workspace::Status cut(int index) const;

private:
    workspace::Workspace m_workspace;
    QList<workspace::RegionRect> m_regions;
    int m_sheetCount = 0;
};

} // namespace steps
