// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan_page.h"
#include "workspace/expected.h"

#include <QIODevice>
#include <QString>

#include <functional>

namespace imaging {

class OpenPdfFiles;

// Whether a conversion judges its page blank, which costs a look over the page's pixels.
enum class BlankCheck { Skip, Judge };

// What became of one scan page.
struct ScanConversion {
    // Failed, naming the page, when the page was not stored.
    workspace::Status status;
    // The page was a readable picture and its sheet could not be written (a full disk): unlike
    // a page that is no picture, this is a failure of the import, not a page to skip.
    bool notWritten = false;
    // Judged only when asked: the stored sheet carries almost no ink (isBlankPage).
    bool blank = false;
    // A stored page of a PDF whose paper differs from that of the file's first page.
    bool otherPaper = false;
};

// What to store in place of a sheet's BMP bytes (the sheet lined up with another, say), called
// on the converting thread just before the sheet is written.
using SheetFitting = std::function<QByteArray(QByteArray bmp)>;

// How a page is converted.
struct ConversionOptions {
    BlankCheck blankCheck = BlankCheck::Skip;
    // PDF files kept open between the pages of an import; without them a page opens its file
    // afresh.
    OpenPdfFiles* pdfFiles = nullptr;
    // Without it, the sheet is stored as the scan gives it.
    const SheetFitting* fitting = nullptr;
};

// Stores a scanned sheet (JPEG, BMP, PNG or another picture), read from a seekable device, in
// the workspace as an uncompressed BMP of the scan's own pixels, turned upright when a photo
// says how it was held, transparency laid on white. Fails, writing nothing, when the scan is
// not a readable, whole picture of a sane size, or when the sheet cannot be written; messages
// name the scan by `name`. Safe to run for several scans at once.
[[nodiscard]] ScanConversion convertScan(QIODevice& scan, const QString& name,
                                         const QString& sheetPath);
// The same for one page of a scan file: a picture, a page of a TIFF, or a page of a PDF, which
// is its own JPEG picture when it is one (as copiers write scans) and is rendered otherwise.
[[nodiscard]] ScanConversion convertScanPage(const ScanPage& page, const QString& sheetPath,
                                             const ConversionOptions& options = {});
// The same for a scan file of one picture.
[[nodiscard]] ScanConversion convertScan(const QString& scanPath, const QString& sheetPath);

} // namespace imaging
