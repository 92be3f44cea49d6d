// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

namespace imaging {

// One page of a scan file: what becomes one sheet. A picture file is one page; a file that holds
// several pictures gives one page for each, in its own order.
struct ScanPage {
    QString file;
    // The page's place in a file of several pages, from 1; 0 for a file of one picture.
    int pageNumber = 0;

    // How messages name the page: the file, followed by "(3ページ目)" for a page of a file of
    // several pages.
    [[nodiscard]] QString displayName() const;

    friend bool operator==(const ScanPage&, const ScanPage&) = default;
};

// What a scan file holds, told by its first bytes rather than by its name.
enum class ScanKind { Picture, Pdf, Tiff };

// The bytes scanKind looks at: a PDF's header may follow some bytes of other matter.
inline constexpr qsizetype kScanHeadSize = 1024;

[[nodiscard]] ScanKind scanKind(QByteArrayView head);

// The pages a scan file gives, in page order: one per page of a PDF, one per picture of a TIFF,
// one for any other file. Every file gives at least one: a file that cannot be read is still a
// page, which its conversion then refuses by name.
[[nodiscard]] QList<ScanPage> scanPages(const QString& file);

} // namespace imaging
