// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "result_plan.h"
#include "workspace/expected.h"
#include "workspace/workspace_paths.h"

#include <QImage>

namespace steps {

struct MarkedSheet {
    QImage surface;    // 24-bit, the sheet surface's size
    QSize pictureSize; // the sheet's own size, at the surface's top-left
};

// The sheet in the file on a white 24-bit surface of the sheet surface's size, at its top-left.
// Drawing and saving in the files' own pixel layout spares two conversions of every pixel, and
// the workspace's own BMP rows are copied straight from the file onto the surface.
[[nodiscard]] workspace::Expected<MarkedSheet> loadMarkingSurface(const QString& path);

// Loads touan/NNN.bmp of the sheet (index 0 is sheet 1) onto a marking surface, draws its
// scores, comments, total and rank, and saves the surface as hyouka/NNN.bmp. Safe to run for
// several sheets at once.
[[nodiscard]] workspace::Expected<MarkedSheet>
drawMarkedSheet(const workspace::Workspace& workFolder, const ResultPlan& plan, int sheetIndex);

} // namespace steps
