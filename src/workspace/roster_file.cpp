// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster_file.h"

#include "limits.h"
#include "text_file.h"

namespace workspace {

Expected<QStringList> decodeRoster(const QByteArray& bytes, const QString& name)
{
    return decodeTextLines(bytes, name, kMaxSheets);
}

Expected<QStringList> readRoster(const QString& path)
{
    return readTextLines(path, kMaxSheets);
}

Status writeRoster(const QString& path, const QStringList& names)
{
    return writeTextLines(path, names.isEmpty() ? QStringList{QString()} : names);
}

} // namespace workspace
