// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <QTransform>

#include <functional>

class QPainter;

// Scan files as copiers, scanners and phones write them, made for the tests.
namespace test_support {

// A sheet with a printed frame, lines of writing and a scanner's grey paper.
[[nodiscard]] QImage writtenSheet(QSize size, int seed);
// The blank back of a sheet as a duplex scan gives it: grey paper, grain, a few specks of dust,
// a punch hole and the shadow of the sheet's edge.
[[nodiscard]] QImage blankBack(QSize size, int seed);

// An answer sheet of a form at 200 dpi: a title rule and boxes in two columns, each box with a
// few handwritten strokes that differ with the seed. Another form has a table of other boxes.
enum class SheetForm { Answers, Other };
[[nodiscard]] QImage formSheet(QSize size, int seed, SheetForm form = SheetForm::Answers);
// The pixel-centre map of a page drawn onto white paper through `placement`, as a scanner sees
// a sheet that lies off: page pixel → scan pixel.
[[nodiscard]] QTransform pixelMap(const QTransform& placement);
[[nodiscard]] QImage placed(const QImage& page, const QTransform& placement);

[[nodiscard]] QByteArray jpegBytes(const QImage& image, int quality = 90);
// The JPEG with an EXIF block saying how the camera was held (1 to 8), as a phone writes it.
[[nodiscard]] QByteArray withExifOrientation(const QByteArray& jpeg, int orientation);

// Writes a TIFF of several pages with libtiff: 1-bit pages (Format_Mono) compressed with CCITT
// group 4 as fax and copier software does, the others as 8-bit RGB.
void writeTiff(const QString& path, const QList<QImage>& pages);

// One page of a PDF written with QPdfWriter: paper of the given size, and on it what `draw`
// paints in the page's pixels at 200 dpi.
struct PdfTestPage {
    QPageSize paper;
    std::function<void(QPainter&, QSize pixels)> draw;
};
void writePdf(const QString& path, const QList<PdfTestPage>& pages);
// A page that is one picture filling the page, as QPdfWriter stores it: JPEG-compressed.
[[nodiscard]] PdfTestPage picturePage(const QImage& picture);

// The bytes of the n-th JPEG stream (from 0) stored in a PDF, found by its markers.
[[nodiscard]] QByteArray jpegInPdf(const QByteArray& pdf, int n);

} // namespace test_support
