// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_field.h"

using namespace Qt::Literals::StringLiterals;

namespace workspace {

QString quotedCsvField(const QString& text)
{
    QString field = text;
    field.replace(u'"', u"\"\""_s);
    return u'"' + field + u'"';
}

std::optional<QString> unquotedCsvField(QStringView line)
{
    if (line.size() < 2 || !line.startsWith(u'"') || !line.endsWith(u'"'))
        return std::nullopt;
    const QStringView inner = line.sliced(1, line.size() - 2);
    QString text;
    text.reserve(inner.size());
    for (qsizetype index = 0; index < inner.size(); ++index) {
        if (inner[index] == u'"') {
            // Inside the field a quote stands only doubled; a single one ends the field early.
            if (index + 1 == inner.size() || inner[index + 1] != u'"')
                return std::nullopt;
            ++index;
        }
        text.append(inner[index]);
    }
    return text;
}

} // namespace workspace
