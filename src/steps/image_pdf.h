// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>

namespace steps {

// One page of an image PDF: a baseline JPEG stretched over the whole page.
struct PdfPage {
    QByteArray jpeg; // embedded unchanged (DCTDecode)
    QSize pixels;    // the JPEG's size
    QSizeF points;   // the page's size, 1/72 inch
};

// Writes a PDF with one page per image to the device, the title in its document information.
// The JPEG bytes go into the file as they are, so that a page encoded once serves several files
// without a second loss. False when the device refuses a write; the device then holds part of a
// file, which the caller discards. Safe to run for several documents at once.
[[nodiscard]] bool writeImagePdf(QIODevice& device, const QString& title,
                                 const QList<PdfPage>& pages);

} // namespace steps
