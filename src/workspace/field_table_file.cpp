// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_table_file.h"

#include "atomic_file.h"
#include "file_messages.h"
#include "limits.h"
#include "line_splitting.h"
#include "text_file.h"

using namespace Qt::Literals::StringLiterals;

namespace workspace {

Expected<QList<QStringList>> decodeFieldTable(const QByteArray& bytes, const QString& name)
{
    Expected<QStringList> lines = decodeTextLines(bytes, name, kMaxSheets);
    if (!lines)
        return Failure{lines.error()};
    QList<QStringList> rows;
    rows.reserve(lines->size());
    for (qsizetype index = 0; index < lines->size(); ++index) {
        QStringList fields = splitFields(lines->at(index));
        if (fields.size() > kMaxRegions)
            return Failure{messages::badLine(name, static_cast<int>(index + 1),
                                             u"項目が多すぎます（%1個まで）。"_s.arg(kMaxRegions))};
        rows.append(std::move(fields));
    }
    return rows;
}

Expected<QList<QStringList>> readFieldTable(const QString& path)
{
    Expected<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return decodeFieldTable(*bytes, path);
}

Status writeFieldTable(const QString& path, const QList<QStringList>& rows)
{
    Expected<QByteArray> bytes = encodeFieldTable(path, rows);
    if (!bytes)
        return Failure{bytes.error()};
    return writeFileAtomically(path, *bytes);
}

Expected<QByteArray> encodeFieldTable(const QString& path, const QList<QStringList>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (qsizetype row = 0; row < rows.size(); ++row) {
        for (const QString& field : rows[row]) {
            if (field.contains(u',') || field.contains(u'\r') || field.contains(u'\n'))
                return Failure{messages::cannotWrite(
                    path,
                    u"%1行目の「%2」にコンマか改行が含まれています。"_s.arg(row + 1).arg(field))};
        }
        lines.append(rows[row].join(u','));
    }
    return encodeTextLines(path, lines);
}

} // namespace workspace
