// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan_page.h"
#include "workspace/expected.h"

#include <QIODevice>
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

// Stores a scanned sheet (JPEG or BMP), read from a seekable device, in the workspace as an
// uncompressed BMP of the scan's own pixels. Fails, writing nothing, when the scan is not a
// readable, whole picture of a sane size, or when the sheet cannot be written; messages name the
// scan by `name`. Safe to run for several scans at once.
[[nodiscard]] ScanConversion convertScan(QIODevice& scan, const QString& name,
                                         const QString& sheetPath);
// The same for one page of a scan file.
[[nodiscard]] ScanConversion convertScanPage(const ScanPage& page, const QString& sheetPath);
// The same for a scan file of one picture.
[[nodiscard]] ScanConversion convertScan(const QString& scanPath, const QString& sheetPath);

} // namespace imaging
