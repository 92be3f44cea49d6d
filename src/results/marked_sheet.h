#pragma once

#include "imaging/sheet_surface.h"
#include "result_plan.h"
#include "workspace/expected.h"
#include "workspace/workspace_paths.h"

namespace results {

// Loads touan/NNN.bmp of the sheet (index 0 is sheet 1) into a sheet surface, draws its
// scores, comments, total and rank, and saves the surface as hyouka/NNN.bmp. Safe to run for
// several sheets at once.
[[nodiscard]] workspace::Expected<imaging::SheetSurface>
drawMarkedSheet(const workspace::Workspace& workFolder, const ResultPlan& plan, int sheetIndex);

} // namespace results
