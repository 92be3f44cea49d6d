#pragma once

#include "workspace/expected.h"

#include <QString>

namespace imaging {

// What became of one scan.
struct ScanConversion {
    // Failed, naming the scan, when the scan was not stored.
    workspace::Status status;
    // The scan was a readable picture and its sheet could not be written (a full disk): unlike
    // a file that is no picture, this is a failure of the import, not a scan to skip.
    bool notWritten = false;
};

// Stores a scanned sheet (JPEG or BMP) in the workspace as an uncompressed BMP of the scan's
// own pixels. Fails, writing nothing, when the scan is not a readable, whole picture of a sane
// size, or when the sheet cannot be written. Safe to run for several scans at once.
[[nodiscard]] ScanConversion convertScan(const QString& scanPath, const QString& sheetPath);

} // namespace imaging
