// SPDX-License-Identifier: GPL-3.0-or-later
#include "region_file.h"

#include "atomic_file.h"
#include "file_messages.h"
#include "limits.h"
#include "line_splitting.h"
#include "text_file.h"

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

namespace {

std::optional<qint16> parseCoordinate(const QString& field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min()
        || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

} // namespace

Expected<QList<RegionRect>> decodeRegions(const QByteArray& bytes, const QString& name)
{
    Expected<QStringList> lines = decodeTextLines(bytes, name, kMaxRegions);
    if (!lines)
        return Failure{lines.error()};
    QList<RegionRect> regions;
    for (qsizetype index = 0; index < lines->size(); ++index) {
        const int lineNumber = static_cast<int>(index + 1);
        const QStringList fields = splitFields(lines->at(index));
        if (fields.size() != 4)
            return Failure{messages::badLine(
                name, lineNumber,
                u"4つの数値（左,下,右,上）が必要です: %1"_s.arg(lines->at(index)))};
        std::array<qint16, 4> values{};
        for (int field = 0; field < 4; ++field) {
            std::optional<qint16> value = parseCoordinate(fields[field]);
            if (!value)
                return Failure{messages::badLine(
                    name, lineNumber,
                    u"「%1」は -32768 から 32767 までの整数ではありません。"_s.arg(fields[field]))};
            values[field] = *value;
        }
        regions.append({values[0], values[1], values[2], values[3]});
    }
    return regions;
}

Expected<QList<RegionRect>> readRegions(const QString& path)
{
    Expected<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return decodeRegions(*bytes, path);
}

QString regionLine(const RegionRect& rect)
{
    return u"%1,%2,%3,%4"_s.arg(rect.left).arg(rect.bottom).arg(rect.right).arg(rect.top);
}

Status writeRegions(const QString& path, const QList<RegionRect>& regions)
{
    QStringList lines;
    for (const RegionRect& rect : regions)
        lines.append(regionLine(rect));
    return writeTextLines(path, lines);
}

} // namespace workspace
