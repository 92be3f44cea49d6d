// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspace_paths.h"

class QWidget;

namespace main_window {

// "PDF出力" (cmdPdf): says that "6.採点実行" comes first when there are no marked sheets; asks
// before the files of pdf/ are deleted; writes the PDFs with a progress dialog; then says how
// many files were saved where and offers to open the folder, naming it when the desktop cannot.
void exportPdfs(QWidget* window, const workspace::Workspace& workFolder);

} // namespace main_window
