// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include <memory>

namespace imaging {

// The resolution of a rendered page without pictures.
inline constexpr double kDefaultRenderDpi = 200;

// How one page of a PDF becomes a sheet.
struct PdfPagePlan {
    // The bytes of the JPEG picture that is the whole page, as a copier writes a scanned page in
    // its standard mode: the sheet is that picture, decoded once. Empty for any other page.
    QByteArray jpeg;
    // The resolution any other page is rendered at, in dots per inch: that of its largest picture
    // (a scan stored as JBIG2, CCITT or in layers), kDefaultRenderDpi when it has none.
    double renderDpi = kDefaultRenderDpi;
    // Whether that page only places pictures, as a scan in another form than one JPEG does, or
    // also draws text, shapes or transparency.
    enum class Content { Pictures, Drawing } content = Content::Drawing;
    // The paper as the page shows it (its crop box, turned by its rotation), in millimetres.
    QSizeF paperSize;
};

// The structure of a PDF file: its pages, their paper and what they draw. Reads the file as it
// goes, never the whole of it at once. Not for use by two threads at a time.
class PdfDocument {
public:
    // Fails naming the file (by `name`) when it is no PDF, is broken beyond repair, has no page,
    // or cannot be opened without a password.
    [[nodiscard]] static workspace::Expected<std::unique_ptr<PdfDocument>>
    open(const QString& path, const QString& name);
    // The same for a PDF held in memory.
    [[nodiscard]] static workspace::Expected<std::unique_ptr<PdfDocument>>
    fromBytes(const QByteArray& bytes, const QString& name);

    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    [[nodiscard]] int pageCount() const;

    // How page `index` (from 0) becomes a sheet; fails naming the page (by `pageName`) when its
    // objects cannot be read.
    [[nodiscard]] workspace::Expected<PdfPagePlan> plan(int index, const QString& pageName) const;
    // The paper of page `index` alone.
    [[nodiscard]] workspace::Expected<QSizeF> paperSize(int index, const QString& pageName) const;

private:
    struct Parts;
    explicit PdfDocument(std::unique_ptr<Parts> parts);

    std::unique_ptr<Parts> m_parts;
};

// Whether two papers differ by more than a few millimetres in width or height: a sheet of
// another size in a pile, not the rounding of one size by two writers.
[[nodiscard]] bool isOtherPaper(QSizeF paper, QSizeF firstPaper);

} // namespace imaging
