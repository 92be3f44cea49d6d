// SPDX-License-Identifier: GPL-3.0-or-later
#include "grade_threshold_file.h"

#include "atomic_file.h"
#include "file_messages.h"
#include "numeric_text.h"
#include "text_file.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

QString thresholdProblem(const GradeThresholds& thresholds)
{
    for (const double value : {thresholds.a, thresholds.b}) {
        if (!(value >= 0.0 && value <= 100.0))
            return u"基準「%1」は 0 から 100 までの数ではありません。"_s.arg(decimalText(value));
    }
    if (thresholds.a < thresholds.b)
        return u"A の基準（%1）が B の基準（%2）より低くなっています。"_s.arg(
            decimalText(thresholds.a), decimalText(thresholds.b));
    return {};
}

Expected<GradeThresholds> decodeGradeThresholds(const QByteArray& bytes, const QString& name)
{
    Expected<QStringList> lines = decodeTextLines(bytes, name, 2);
    if (!lines)
        return Failure{lines.error()};
    if (lines->size() != 2)
        return Failure{messages::badLine(name, static_cast<int>(lines->size()) + 1,
                                         u"A と B の基準の2行が必要です。"_s)};
    double values[2] = {};
    for (int index = 0; index < 2; ++index) {
        if (!isNumericText(lines->at(index)))
            return Failure{messages::badLine(
                name, index + 1, u"「%1」は数ではありません。"_s.arg(lines->at(index)))};
        values[index] = leadingNumberValue(lines->at(index));
    }
    const GradeThresholds thresholds{values[0], values[1]};
    if (const QString problem = thresholdProblem(thresholds); !problem.isEmpty())
        return Failure{messages::badLine(name, 1, problem)};
    return thresholds;
}

Expected<GradeThresholds> readGradeThresholds(const QString& path)
{
    if (!QFileInfo::exists(path))
        return GradeThresholds();
    Expected<QByteArray> bytes = readWholeFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return decodeGradeThresholds(*bytes, path);
}

Status writeGradeThresholds(const QString& path, const GradeThresholds& thresholds)
{
    if (const QString problem = thresholdProblem(thresholds); !problem.isEmpty())
        return Failure{messages::cannotWrite(path, problem)};
    return writeTextLines(path, {decimalText(thresholds.a), decimalText(thresholds.b)});
}

} // namespace workspace
