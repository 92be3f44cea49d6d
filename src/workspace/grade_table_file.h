// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace workspace {

// One sheet's line of seiseki.csv.
struct GradeRow {
    QString name; // written as a quoted CSV field
    qint32 total = 0;
    qint32 rank = 0;
    QString scoreLine; // the sheet's line of ini/haiten.txt, verbatim
};

// The lines of seiseki.csv: the header "氏名,合計,順位," followed by "領域r," for each region
// r = 1 … regionFieldCount (so it ends with a comma), then one line per row.
[[nodiscard]] QStringList gradeTableLines(int regionFieldCount, const QList<GradeRow>& rows);

Status writeGradeTable(const QString& path, int regionFieldCount, const QList<GradeRow>& rows);

} // namespace workspace
