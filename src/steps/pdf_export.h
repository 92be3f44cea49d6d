// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image_pdf.h"
#include "workspace/expected.h"
#include "workspace/parallel_run.h"
#include "workspace/workspace_paths.h"

#include <QString>

namespace steps {

// A page's JPEG takes at most 396 KB for an A4 sheet scanned at 200 dpi (1654 × 2339 pixels),
// so that a student's file with the few objects around it stays within 400 KB; as much per pixel
// for other sizes, unless even the lowest quality tried is larger.
inline constexpr double kPageBytesPerPixel = 396.0 * 1024 / (1654.0 * 2339.0);

// The marked sheets there are to export: the unbroken run hyouka/001.bmp, hyouka/002.bmp, ….
[[nodiscard]] int markedSheetCount(const workspace::Workspace& workFolder);

// What the export says when there is nothing to export: "6.採点実行" comes first.
[[nodiscard]] QString noMarkedSheetsMessage(const workspace::Workspace& workFolder);

// The files in pdf/ that the export would delete; 0 when the folder does not exist.
[[nodiscard]] int filesInPdfFolder(const workspace::Workspace& workFolder);

// The page of marked sheet `sheet`: its picture encoded once, on the paper it was scanned on.
// The paper comes from the scan touan/NNN.bmp, since the marked sheet is a few pixels larger
// (the sheet surface is padded white to the right and bottom); the page shows the scan-sized
// part of the marked sheet, so one pixel of the scan stays one pixel on the page. The picture
// is encoded at the highest quality that keeps it within kPageBytesPerPixel: scanner noise, not
// the marks, decides the size. A marked sheet
// that does not match its scan in that way (the scan replaced since) is shown whole, on the paper
// of its own size. Safe to run for several sheets at once.
[[nodiscard]] workspace::Expected<PdfPage> markedSheetPage(const workspace::Workspace& workFolder,
                                                           int sheet);

enum class PdfExportStatus { Saved, NoMarkedSheets, Failed };

struct PdfExportOutcome {
    PdfExportStatus status = PdfExportStatus::Failed;
    int savedFiles = 0;
    // The absolute path of pdf/.
    QString folder;
    // Why nothing or not everything was saved; empty when all was.
    QString message;
};

// "PDF出力": with the names of ini/meibo.txt, empties pdf/ and writes NNN_<name>.pdf for every
// marked sheet through runSheets, one piece of work a sheet, then 全員.pdf with every page in
// sheet order, the pages encoded once for both. Each file is written under a temporary name and
// renamed into place when complete. Without marked sheets, or with a roster it cannot read, it
// touches nothing. A sheet that cannot be read or written is named in the message; the files
// written whole stay, and 全員.pdf, which would lack pages, is not written.
[[nodiscard]] PdfExportOutcome exportPdfs(const workspace::Workspace& workFolder,
                                          const workspace::ParallelRunner& runSheets);

} // namespace steps
