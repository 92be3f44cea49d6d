// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace sample_exam {

// One page of a copier's PDF: a picture filling the page at its own resolution.
struct ScanPdfPage {
    enum class Encoding { Jpeg, Bilevel };
    Encoding encoding = Encoding::Jpeg;
    // A JPEG file's bytes, kept as they are; or the Flate-compressed rows of a picture of one bit
    // a pixel (a set bit is white), each row padded to a whole byte.
    QByteArray data;
    QSize pixels;
    // 3 for colour, 1 for grey; a bilevel page is grey.
    int components = 3;
    int dotsPerInch = 200;
};

// The page of a JPEG file's bytes.
[[nodiscard]] ScanPdfPage jpegPage(const QByteArray& jpeg, QSize pixels, int components,
                                   int dotsPerInch);
// The page of a picture made black and white at half brightness, as a copier's black-and-white
// mode stores it.
[[nodiscard]] ScanPdfPage bilevelPage(const QImage& picture, int dotsPerInch);

// Writes a PDF as a school's copier does when it scans a pile of sheets: each page one picture
// that fills it, JPEG pictures stored as they are. Pages are asked of `page` one at a time and
// written as they come, so that a long pile is never held in memory.
[[nodiscard]] workspace::Status writeScanPdf(const QString& path, int pageCount,
                                             const std::function<ScanPdfPage(int index)>& page);

} // namespace sample_exam
