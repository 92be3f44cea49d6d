// SPDX-License-Identifier: GPL-3.0-or-later
#include "grade_table_file.h"

#include "csv_field.h"
#include "text_file.h"

using namespace Qt::Literals::StringLiterals;

namespace workspace {

QStringList gradeTableLines(int regionFieldCount, const QList<GradeRow>& rows)
{
    QString header = u"氏名,合計,順位,"_s;
    for (int region = 1; region <= regionFieldCount; ++region)
        header += u"領域%1,"_s.arg(region);
    QStringList lines{header};
    for (const GradeRow& row : rows)
        // One pass of arg(), so that a name holding "%2" is written as it is.
        lines.append(u"%1,%2,%3,%4"_s.arg(quotedCsvField(row.name), QString::number(row.total),
                                          QString::number(row.rank), row.scoreLine));
    return lines;
}

Status writeGradeTable(const QString& path, int regionFieldCount, const QList<GradeRow>& rows)
{
    return writeTextLines(path, gradeTableLines(regionFieldCount, rows));
}

} // namespace workspace
