// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace_paths.h"

#include <QString>

namespace workspace {

// The sample examination a newcomer grades first, made inside the work folder.
namespace paths {
[[nodiscard]] QString sampleFolder(); // サンプル試験
[[nodiscard]] QString sampleScans();  // サンプル試験/答案
[[nodiscard]] QString sampleRoster(); // サンプル試験/名簿.txt
} // namespace paths

// Where the folder dialog of "1.答案読込" opens: the sample's scans while the work folder holds
// the sample and no sheet has been imported yet, so that a newcomer need only confirm;
// otherwise the home folder.
[[nodiscard]] QString importDialogFolder(const Workspace& workspace);

// Where the file dialog of "名簿読み込み" opens: the sample's folder, which holds its roster,
// while the work folder holds the sample and no roster has been saved yet; otherwise the home
// folder.
[[nodiscard]] QString rosterDialogFolder(const Workspace& workspace);

} // namespace workspace
