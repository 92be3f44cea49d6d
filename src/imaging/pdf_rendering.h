// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pdf_document.h"
#include "workspace/expected.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

namespace Poppler {
class Document;
}

namespace imaging {

// Sends Poppler's own complaints about a damaged PDF nowhere: the page's message names the fault
// the teacher can act on, and a broken file would otherwise print hundreds of lines. Called once
// at start-up.
void silencePdfDiagnostics();

// Renders the pages of a PDF file with Poppler. Poppler reads the file as it goes, never the
// whole of it at once. Not for use by two threads at a time: each thread opens its own.
class PdfRenderer {
public:
    // Fails naming the file (by `name`) when Poppler cannot open it or it needs a password.
    [[nodiscard]] static workspace::Expected<std::unique_ptr<PdfRenderer>>
    open(const QString& path, const QString& name);
    // The same for a PDF held in memory.
    [[nodiscard]] static workspace::Expected<std::unique_ptr<PdfRenderer>>
    fromBytes(const QByteArray& bytes, const QString& name);

    ~PdfRenderer();
    PdfRenderer(const PdfRenderer&) = delete;
    PdfRenderer& operator=(const PdfRenderer&) = delete;

    // Page `index` (from 0) on white paper at the resolution, as it is shown (cropped and turned).
    // Fails naming the page (by `pageName`) when it would have more than kMaxPicturePixels pixels
    // or cannot be rendered.
    [[nodiscard]] workspace::Expected<QImage>
    render(int index, double dpi, PdfPagePlan::Content content, const QString& pageName) const;

private:
    explicit PdfRenderer(std::unique_ptr<Poppler::Document> document);
    [[nodiscard]] static workspace::Expected<std::unique_ptr<PdfRenderer>>
    fromDocument(std::unique_ptr<Poppler::Document> document, const QString& name);

    std::unique_ptr<Poppler::Document> m_document;
};

} // namespace imaging
