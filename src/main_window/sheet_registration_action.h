// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspace_paths.h"

#include <QString>

class QWidget;

namespace main_window {

// Registers the sheets just imported to sheet 1, under progress dialogs, and returns what the
// teacher is to be told of it: empty when there is nothing to tell.
[[nodiscard]] QString
registerImportedSheets(QWidget* window, const workspace::Workspace& workFolder, int sheetCount);

} // namespace main_window
