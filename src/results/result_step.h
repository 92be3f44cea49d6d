#pragma once

#include "imaging/sheet_surface.h"
#include "result_plan.h"
#include "workspace/workspace_paths.h"

#include <QSize>

#include <optional>

class QWidget;

namespace results {

// "6.採点実行" as the teacher sees it: the busy pointer and a modal progress dialog while the
// sheets are drawn, then one message box. Returns the last marked sheet for the main window's
// sheet surface, null when none was drawn.
[[nodiscard]] imaging::SheetSurface runResultStep(QWidget* parent,
                                                  const workspace::Workspace& workFolder,
                                                  RankDisplay rankDisplay,
                                                  std::optional<QSize> shownPicture);

} // namespace results
