// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QDateTime>
#include <QString>

namespace steps {

// Import and reset remove every ".txt" file of the data folder (regions, scores, comments,
// roster) without asking. Instead of deleting them, this moves them into a new folder
// backup/yyyyMMdd-hhmmss inside the data folder, so that a mis-click loses no marking work.
// Nothing reads that folder. With no text file nothing is made. On failure the files not yet
// moved stay where they were.
workspace::Status backUpTextData(const QString& dataFolder, const QDateTime& now);

} // namespace steps
