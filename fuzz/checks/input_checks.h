// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>

#include <optional>
#include <span>

// Properties that must hold for any bytes given to one of the program's readers, checked by the
// fuzz targets and by the regression test that replays the inputs they once failed on.
namespace fuzzing {

// What went wrong with the input, or nothing when every property held. A crash or a sanitizer
// report is a failure as well.
using InputCheck = std::optional<QString> (*)(QByteArrayView input);

struct FuzzTarget {
    QLatin1StringView name;
    InputCheck check;
};

// Every target, by the name its executable and its folder of kept inputs carry.
[[nodiscard]] std::span<const FuzzTarget> fuzzTargets();
[[nodiscard]] const FuzzTarget* findFuzzTarget(QLatin1StringView name);

// ini/zahyo.txt: the region reader, the region tables, the cut-outs, the grid layout and the
// positions of the marks.
[[nodiscard]] std::optional<QString> checkRegionFile(QByteArrayView input);
// ini/haiten.txt: the field table reader, the grading tables and result computation's totals,
// ranks and grade table.
[[nodiscard]] std::optional<QString> checkScoreFile(QByteArrayView input);
// ini/comment.txt: as the score file, with the input as the comments.
[[nodiscard]] std::optional<QString> checkCommentFile(QByteArrayView input);
// ini/meibo.txt: the roster reader, the names in the grading tables and the grade table.
[[nodiscard]] std::optional<QString> checkRosterFile(QByteArrayView input);
// ini/kanten.txt, and the same bytes as ini/kanten_kijun.txt: the viewpoint and threshold
// readers, and the statistics and viewpoint tables of result computation.
[[nodiscard]] std::optional<QString> checkViewpointFile(QByteArrayView input);
// The code page: decoding any bytes, and encoding the input read as UTF-16 text.
[[nodiscard]] std::optional<QString> checkCodePage(QByteArrayView input);
// A roster file the teacher loads, and saving what it gave as ini/meibo.txt.
[[nodiscard]] std::optional<QString> checkRosterInput(QByteArrayView input);
// A scan or sheet as a BMP file: decoding, import, cutting and the marking surface.
[[nodiscard]] std::optional<QString> checkBmpPicture(QByteArrayView input);
// A scan as a JPEG file: the direct conversion to a sheet BMP, import and cutting.
[[nodiscard]] std::optional<QString> checkJpegPicture(QByteArrayView input);
// A copier's PDF: its structure and page plans, and the import of its first pages (own JPEG or
// rendered), each stored as a sheet that cuts or refused by name.
[[nodiscard]] std::optional<QString> checkPdfScan(QByteArrayView input);
// A TIFF of several pages: the import of its first pages, stored exactly when they load.
[[nodiscard]] std::optional<QString> checkTiffScan(QByteArrayView input);

} // namespace fuzzing
