#pragma once

#include "workspace/expected.h"

#include <QString>

namespace imaging {

// Stores a scanned sheet (JPEG or BMP) in the workspace as an uncompressed BMP of the scan's
// own pixels. Fails, writing nothing, when the scan is not a readable, whole picture of a sane
// size, or when the sheet cannot be written; either message names the scan. Safe to run for
// several scans at once.
workspace::Status convertScan(const QString& scanPath, const QString& sheetPath);

} // namespace imaging
