// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pdf_document.h"
#include "pdf_rendering.h"

#include <QString>

#include <deque>
#include <memory>
#include <mutex>
#include <utility>

namespace imaging {

// A PDF file opened for converting its pages: its structure, and its renderer once a page has
// needed one. Used by one thread at a time.
struct OpenPdf {
    std::unique_ptr<PdfDocument> structure;
    std::unique_ptr<PdfRenderer> renderer;
};

// The PDF files of one import kept open between its pages, since opening a file of hundreds of
// pages costs more than converting one of them. A thread takes an open file, converts a page and
// gives it back; no two threads ever use one at the same time, which neither qpdf nor Poppler
// allows. Only a few are kept: a folder of many small PDFs must not hold a file open for each.
class OpenPdfFiles {
public:
    // An idle open copy of the file, or nothing when there is none.
    [[nodiscard]] std::unique_ptr<OpenPdf> take(const QString& path);
    void giveBack(const QString& path, std::unique_ptr<OpenPdf> pdf);
    // Closes every file kept open.
    void close();

private:
    std::mutex m_mutex;
    // Most recently given back first.
    std::deque<std::pair<QString, std::unique_ptr<OpenPdf>>> m_idle;
};

} // namespace imaging
