// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QString>

namespace workspace {

// Creates the folder (and its parents) when it is missing.
Status ensureFolder(const QString& path);

// Creates the folder when it is missing, otherwise deletes every file in it (sub-folders stay).
Status prepareEmptyFolder(const QString& path);

// Deletes every file in the folder whose name ends with ".txt" in any case. Every deletion is
// tried; the first failure is reported.
Status deleteTextFiles(const QString& folder);

} // namespace workspace
