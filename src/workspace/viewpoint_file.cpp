// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewpoint_file.h"

#include "atomic_file.h"
#include "file_messages.h"
#include "limits.h"
#include "line_splitting.h"
#include "numeric_text.h"
#include "text_file.h"

#include <QFileInfo>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

std::optional<double> RegionViewpoint::fullMarksValue() const
{
    if (!isNumericText(fullMarks))
        return std::nullopt;
    return leadingNumberValue(fullMarks.trimmed());
}

std::optional<QString> viewpointProblem(const RegionViewpoint& viewpoint)
{
    if (viewpoint.label.contains(u',') || viewpoint.label.contains(u'\r')
        || viewpoint.label.contains(u'\n'))
        return u"観点「%1」にコンマか改行が含まれています。"_s.arg(viewpoint.label);
    // Bounded like a sheet's total, so that no sum or ratio of full marks becomes infinite.
    if (!viewpoint.fullMarks.isEmpty()
        && (!isNumericText(viewpoint.fullMarks) || !(*viewpoint.fullMarksValue() >= 0)
            || *viewpoint.fullMarksValue() > std::numeric_limits<qint32>::max()))
        return u"満点「%1」は 0 から %2 までの数ではありません。"_s.arg(
            viewpoint.fullMarks, QString::number(std::numeric_limits<qint32>::max()));
    return std::nullopt;
}

Expected<QList<RegionViewpoint>> decodeViewpoints(const QByteArray& bytes, const QString& name)
{
    Expected<QStringList> lines = decodeTextLines(bytes, name, kMaxRegions);
    if (!lines)
        return Failure{lines.error()};
    QList<RegionViewpoint> viewpoints;
    viewpoints.reserve(lines->size());
    for (qsizetype index = 0; index < lines->size(); ++index) {
        const int lineNumber = static_cast<int>(index + 1);
        const QStringList fields = splitFields(lines->at(index));
        if (fields.size() != 2)
            return Failure{messages::badLine(
                name, lineNumber,
                u"「観点,満点」の2つの項目が必要です: %1"_s.arg(lines->at(index)))};
        RegionViewpoint viewpoint{fields[0], fields[1]};
        if (const std::optional<QString> problem = viewpointProblem(viewpoint))
            return Failure{messages::badLine(name, lineNumber, *problem)};
        viewpoints.append(std::move(viewpoint));
    }
    return viewpoints;
}

Expected<QList<RegionViewpoint>> readViewpoints(const QString& path)
{
    if (!QFileInfo::exists(path))
        return QList<RegionViewpoint>();
    Expected<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return decodeViewpoints(*bytes, path);
}

Status writeViewpoints(const QString& path, const QList<RegionViewpoint>& viewpoints)
{
    QStringList lines;
    lines.reserve(viewpoints.size());
    for (qsizetype index = 0; index < viewpoints.size(); ++index) {
        const RegionViewpoint& viewpoint = viewpoints[index];
        if (const std::optional<QString> problem = viewpointProblem(viewpoint))
            return Failure{messages::cannotWrite(path, u"問%1: %2"_s.arg(index + 1).arg(*problem))};
        lines.append(viewpoint.label + u',' + viewpoint.fullMarks);
    }
    return writeTextLines(path, lines);
}

} // namespace workspace
