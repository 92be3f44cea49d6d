// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QList>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>

namespace steps {

// A sheet's total as the grade table and the marked sheet carry it: each score's leading number
// is added and the sum rounded to an integer (halves to even) after every single addition, so
// 2.5 + 2.5 totals 4, not 5.
class RunningTotal {
public:
    void add(QStringView scoreText);

    // False once any partial sum has left the signed 32-bit range.
    [[nodiscard]] bool fits() const { return m_fits; }
    [[nodiscard]] qint32 value() const;

private:
    double m_total = 0.0;
    bool m_fits = true;
};

// The total of every score row, as RunningTotal makes it. Fails naming the file (by scorePath)
// and the first line whose total leaves the signed 32-bit range.
[[nodiscard]] workspace::Expected<QList<qint32>> sheetTotals(const QList<QStringList>& scoreRows,
                                                             const QString& scorePath);

// The message for a line of the score file whose total cannot be computed.
[[nodiscard]] QString totalTooLargeMessage(const QString& scorePath, int lineNumber);

// Competition ranks in the order of the totals given: 1 + the number of strictly greater
// totals, so 90, 80, 80, 70 rank 1, 2, 2, 4.
[[nodiscard]] QList<qint32> competitionRanks(const QList<qint32>& totals);

} // namespace steps
