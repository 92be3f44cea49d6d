// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print_destination.h"
#include "print_settings.h"
#include "workspace/expected.h"
#include "workspace/workspace_paths.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace results {

// Prints the picture as one job of its own on one page of the chosen paper size and
// orientation: scaled by the smaller ratio to the printable area, its top-left corner at the
// area's top-left. Fails with a message naming the sheet when the job cannot be started or
// finished.
workspace::Status printSheet(PrintDestination& destination, const QImage& picture,
                             const PrintSettings& settings, const QString& sheetName);

// The files hyouka/*.bmp in name order (the three-digit names make it sheet order).
[[nodiscard]] QStringList markedSheetFiles(const workspace::Workspace& workFolder);

} // namespace results
