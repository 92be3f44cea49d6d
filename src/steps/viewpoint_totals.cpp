// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewpoint_totals.h"

using namespace Qt::Literals::StringLiterals;

namespace steps {

QString viewpointGrade(double score, double fullMarks, const workspace::GradeThresholds& thresholds)
{
    if (fullMarks <= 0.0)
        return {};
    if (score * 100.0 >= thresholds.a * fullMarks)
        return u"A"_s;
    if (score * 100.0 >= thresholds.b * fullMarks)
        return u"B"_s;
    return u"C"_s;
}

ViewpointTable viewpointTable(const QList<QuestionColumn>& columns,
                              const workspace::GradeThresholds& thresholds)
{
    ViewpointTable table;
    QList<int> viewpointOfColumn;
    viewpointOfColumn.reserve(columns.size());
    for (const QuestionColumn& column : columns) {
        if (column.label.isEmpty()) {
            viewpointOfColumn.append(-1);
            continue;
        }
        if (!table.labels.contains(column.label))
            table.labels.append(column.label);
        viewpointOfColumn.append(static_cast<int>(table.labels.indexOf(column.label)));
    }
    const qsizetype sheetCount = columns.isEmpty() ? 0 : columns.first().scores.size();
    table.sheets.fill(QList<ViewpointResult>(table.labels.size()), sheetCount);
    for (qsizetype index = 0; index < columns.size(); ++index) {
        if (viewpointOfColumn[index] < 0)
            continue;
        for (qsizetype sheet = 0; sheet < sheetCount; ++sheet) {
            ViewpointResult& result = table.sheets[sheet][viewpointOfColumn[index]];
            result.score += columns[index].scores[sheet];
            result.fullMarks += columns[index].fullMarks;
        }
    }
    for (QList<ViewpointResult>& sheet : table.sheets) {
        for (ViewpointResult& result : sheet) {
            if (result.fullMarks > 0.0)
                result.share = result.score / result.fullMarks;
            result.grade = viewpointGrade(result.score, result.fullMarks, thresholds);
        }
    }
    return table;
}

} // namespace steps
