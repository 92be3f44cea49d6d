// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_page.h"

#include "workspace/workspace_paths.h"

using namespace Qt::Literals::StringLiterals;

namespace imaging {

QString ScanPage::displayName() const
{
    const QString path = workspace::displayPath(file);
    if (pageNumber == 0)
        return path;
    return u"%1 (%2ページ目)"_s.arg(path, QString::number(pageNumber));
}

QList<ScanPage> scanPages(const QString& file)
{
    return {ScanPage{file, 0}};
}

} // namespace imaging
