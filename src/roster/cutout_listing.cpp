// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutout_listing.h"

#include "workspace/workspace_paths.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace roster {

int sheetRowCount(const QStringList& listing)
{
    int count = 0;
    for (const QString& name : listing) {
        if (name == workspace::numberText(count + 1) + u".bmp"_s)
            ++count;
    }
    return count;
}

QStringList listCutouts(const QString& folder)
{
    return QDir(folder).entryList({u"*.bmp"_s}, QDir::Files, QDir::Name);
}

} // namespace roster
