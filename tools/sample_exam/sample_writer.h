// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sample_class.h"
#include "sample_form.h"
#include "scan_effects.h"
#include "workspace/expected.h"

#include <QImage>
#include <QString>

namespace sample_exam {

enum class SampleOutcome { Created, AlreadyThere };

// How the sample's scans are stored: one JPEG file per sheet, as a scanner saves them, or one
// PDF of every sheet, as a school's copier does.
enum class ScanFiles { Jpeg, Pdf };

// How the scans were made: on a flatbed, each sheet laid by hand within a few pixels of the
// glass's corner, or through a careless document feeder that shifts and turns every sheet and
// takes one of them upside down.
enum class Feeding { Flatbed, CarelessFeeder };

// The sheet (0-based, in scan order) that a careless feeder takes upside down.
inline constexpr int kUpsideDownSheet = 4;

// JPEG quality of the scans: what a school's scanner writes by default.
inline constexpr int kScanQuality = 85;

// The file name of the scan of sheet n (1-based): scan001.jpg, …
[[nodiscard]] QString scanFileName(int sheetNumber);
// The file name of the PDF of every sheet.
[[nodiscard]] QString scanPdfName();

// The form filled in by hand by the student, before it is scanned.
[[nodiscard]] QImage filledForm(const SampleForm& form, const Student& student);
// The scanned sheet of a student: the form filled in by hand, then scanned at 200 dpi.
[[nodiscard]] QImage sampleSheet(const SampleForm& form, const Student& student);
// The placement a careless feeder gives the sheet at `sheetIndex` (scan order).
[[nodiscard]] Placement carelessFeederPlacement(const Student& student, int sheetIndex);

// Makes the sample examination in the work folder: サンプル試験/答案/scan001.jpg … (one JPEG
// scan per sheet, in scan order), or サンプル試験/答案/scan.pdf (those JPEG scans as the pages
// of one PDF), and サンプル試験/名簿.txt (the roster in code page 932 with CR LF line ends). It
// is written into a temporary folder that is renamed into place, so that an interrupted run
// leaves no half-made sample; a sample already there is left as it is.
[[nodiscard]] workspace::Expected<SampleOutcome>
makeSampleExam(const QString& workFolder, int classSize, ScanFiles scanFiles = ScanFiles::Jpeg,
               Feeding feeding = Feeding::Flatbed);

} // namespace sample_exam
