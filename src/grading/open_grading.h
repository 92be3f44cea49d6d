// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspace_paths.h"

class QWidget;

namespace grading {

class GradingWindow;

// "5.点数振り分け": opens the grading window and its score palette on the workspace. Nothing
// happens without ini/zahyo.txt. When an earlier opening ended without saving or discarding its
// changes, the teacher is asked whether to restore them from its journal. A workspace the window
// cannot hold (more than 500 sheets, a data file that is malformed or too long) is refused with a
// message. Otherwise the main window is hidden until the grading window closes. Returns the window,
// which deletes itself when closed, or nullptr when it did not open.
GradingWindow* openGradingWindow(const workspace::Workspace& workspace, QWidget* mainWindow);

} // namespace grading
