// SPDX-License-Identifier: GPL-3.0-or-later
#include "totals_and_ranks.h"

#include "workspace/file_messages.h"
#include "workspace/numeric_text.h"
#include "workspace/rounding.h"

#include <algorithm>
#include <functional>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace steps {

void RunningTotal::add(QStringView scoreText)
{
    m_total = workspace::roundHalfEven(m_total + workspace::leadingNumberValue(scoreText));
    if (m_total < std::numeric_limits<qint32>::min()
        || m_total > std::numeric_limits<qint32>::max())
        m_fits = false;
}

qint32 RunningTotal::value() const
{
    return m_fits ? static_cast<qint32>(m_total) : 0;
}

workspace::Expected<QList<qint32>> sheetTotals(const QList<QStringList>& scoreRows,
                                               const QString& scorePath)
{
    QList<qint32> totals;
    totals.reserve(scoreRows.size());
    for (qsizetype row = 0; row < scoreRows.size(); ++row) {
        RunningTotal total;
        for (const QString& field : scoreRows[row])
            total.add(field);
        if (!total.fits())
            return workspace::Failure{totalTooLargeMessage(scorePath, static_cast<int>(row + 1))};
        totals.append(total.value());
    }
    return totals;
}

QString totalTooLargeMessage(const QString& scorePath, int lineNumber)
{
    return workspace::messages::badLine(scorePath, lineNumber,
                                        u"合計点が大きすぎて計算できません。"_s);
}

QList<qint32> competitionRanks(const QList<qint32>& totals)
{
    QList<qint32> descending = totals;
    std::sort(descending.begin(), descending.end(), std::greater<>());
    QList<qint32> ranks;
    ranks.reserve(totals.size());
    for (const qint32 total : totals) {
        const auto firstEqual =
            std::lower_bound(descending.begin(), descending.end(), total, std::greater<>());
        ranks.append(static_cast<qint32>(firstEqual - descending.begin()) + 1);
    }
    return ranks;
}

} // namespace steps
