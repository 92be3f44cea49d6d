// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_splitting.h"

namespace workspace {

QList<QByteArray> splitLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        if (bytes[index] != '\r')
            continue;
        lines.append(bytes.sliced(start, index - start));
        if (index + 1 < bytes.size() && bytes[index + 1] == '\n')
            ++index;
        start = index + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

QStringList splitFields(const QString& line)
{
    return line.split(u',');
}

} // namespace workspace
