// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/scan_page.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace steps {

// Whether import takes a file of this name: its lower-cased name contains ".jpg" or ".bmp"
// anywhere ("x.bmp.old" is taken), or ends in ".pdf", ".tif", ".tiff", ".png" or ".jpeg" (a
// copier's or a phone's files; "scan.pdf.txt" is not taken).
[[nodiscard]] bool isScanFileName(QStringView name);

// Name order with runs of digits compared by their value, as a scanner numbers its files:
// "scan2" before "scan10". Letters compare without regard to case; ties are broken by the
// digits' leading zeros and then by case, so the order is total.
[[nodiscard]] bool naturalLess(QStringView first, QStringView second);

// The full paths of the scans among the ordinary files (not folders, not hidden) of a folder,
// in natural name order.
[[nodiscard]] QStringList listScans(const QString& folder);

// The pages of those scans, file after file in that order, each file's pages in its own order.
[[nodiscard]] QList<imaging::ScanPage> listScanPages(const QString& folder);

} // namespace steps
