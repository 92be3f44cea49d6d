// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"
#include "workspace/region_rect.h"
#include "workspace/workspace_paths.h"

#include <QList>

namespace imaging {

// Cuts sheet `sheet` of the workspace (touan/NNN.bmp, at its own size) into one image per
// region, saved as furiwake/RRR/SSS.bmp in region order; the region folders must exist. Every
// region is tried; the first failure is reported. Safe to run for several sheets at once.
workspace::Status cutSheet(const workspace::Workspace& workspace, int sheet,
                           const QList<workspace::RegionRect>& regions);

} // namespace imaging
