// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_file.h"

#include "atomic_file.h"
#include "cp932.h"
#include "file_messages.h"
#include "line_splitting.h"

using namespace Qt::Literals::StringLiterals;

namespace workspace {

Expected<QStringList> decodeTextLines(const QByteArray& bytes, const QString& name, int maxLines)
{
    const QList<QByteArray> rawLines = splitLines(bytes);
    if (rawLines.size() > maxLines)
        return Failure{
            messages::badLine(name, maxLines + 1, u"行が多すぎます（%1行まで）。"_s.arg(maxLines))};
    QStringList lines;
    lines.reserve(rawLines.size());
    for (qsizetype index = 0; index < rawLines.size(); ++index) {
        std::optional<QString> line = cp932::decode(rawLines[index]);
        if (!line)
            return Failure{messages::badLine(name, static_cast<int>(index + 1),
                                             u"Shift-JIS として読めない文字があります。"_s)};
        lines.append(*line);
    }
    return lines;
}

Expected<QStringList> readTextLines(const QString& path, int maxLines)
{
    Expected<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return decodeTextLines(*bytes, path, maxLines);
}

Expected<QByteArray> encodeTextLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        Expected<QByteArray> line = cp932::encode(lines[index]);
        if (!line)
            return Failure{
                messages::cannotWrite(path, u"%1行目: %2"_s.arg(index + 1).arg(line.error()))};
        bytes += *line;
        bytes += "\r\n";
    }
    return bytes;
}

Status writeTextLines(const QString& path, const QStringList& lines)
{
    Expected<QByteArray> bytes = encodeTextLines(path, lines);
    if (!bytes)
        return Failure{bytes.error()};
    return writeFileAtomically(path, *bytes);
}

} // namespace workspace
