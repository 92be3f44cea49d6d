// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "steps/sheet_import.h"
#include "workspace/expected.h"

#include <QString>

namespace bench {

// Ends the benchmark with the message when the condition does not hold: a figure measured on a
// step that failed would mean nothing.
void require(bool condition, const char* what);
void require(const workspace::Status& status);

// Imports the scans of a folder as the window does, on every core; ends the benchmark when a page
// is skipped or not stored.
steps::ImportOutcome importScans(const workspace::Workspace& workspace, const QString& scans,
                                 steps::BlankPages blankPages = steps::BlankPages::Keep,
                                 steps::Registration registration = steps::Registration::Off);

// The import as a plain single-threaded loop would do it, the baseline of the import's figures:
// each scan read with QImage and saved as output/001.bmp, 002.bmp, ….
void baselineImport(const QString& scans, const QString& output);

} // namespace bench
