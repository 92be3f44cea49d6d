// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_page.h"

#include "pdf_document.h"
#include "picture_loading.h"

#include "workspace/workspace_paths.h"

#include <QFile>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

QString ScanPage::displayName() const
{
    const QString path = workspace::displayPath(file);
    if (pageNumber == 0)
        return path;
    return u"%1 (%2ページ目)"_s.arg(path, QString::number(pageNumber));
}

ScanKind scanKind(QByteArrayView head)
{
    const QByteArrayView start = head.first(std::min(head.size(), kScanHeadSize));
    if (start.indexOf("%PDF-") >= 0)
        return ScanKind::Pdf;
    for (const char* magic : {"II*\0", "MM\0*", "II+\0", "MM\0+"})
        if (head.startsWith(QByteArrayView(magic, 4)))
            return ScanKind::Tiff;
    return ScanKind::Picture;
}

QList<ScanPage> scanPages(const QString& file)
{
    QFile scan(file);
    int count = 1;
    if (scan.open(QIODevice::ReadOnly)) {
        switch (scanKind(scan.peek(kScanHeadSize))) {
        case ScanKind::Pdf:
            if (const workspace::Expected<std::unique_ptr<PdfDocument>> document =
                    PdfDocument::open(file, file))
                count = (*document)->pageCount();
            break;
        case ScanKind::Tiff: count = pictureCount(scan); break;
        case ScanKind::Picture: break;
        }
    }
    if (count <= 1)
        return {ScanPage{file, 0}};
    QList<ScanPage> pages;
    pages.reserve(count);
    for (int number = 1; number <= count; ++number)
        pages.append(ScanPage{file, number});
    return pages;
}

} // namespace imaging
