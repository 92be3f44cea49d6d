// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print_destination.h"
#include "print_settings.h"
#include "workspace/workspace_paths.h"

#include <QImage>

#include <functional>

class QWidget;

namespace results {

// "8.答案印刷": asks for the settings in Form5 (kept in `settings` when confirmed), then prints
// either the picture on view or every hyouka/*.bmp in name order, one job per sheet, putting each
// sheet in the view while it is printed. Tells the teacher when there is no default printer, when
// there is no picture on view to print, and when a sheet cannot be read or printed (printing then
// stops).
void runPrintStep(QWidget* parent, const workspace::Workspace& workFolder, PrintSettings& settings,
                  PrintDestination& destination, const QImage& shownPicture,
                  const std::function<void(const QImage&)>& showInView);

} // namespace results
