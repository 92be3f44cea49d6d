// SPDX-License-Identifier: GPL-3.0-or-later
#include "totals_and_ranks.h"

#include "workspace/numeric_text.h"
#include "workspace/rounding.h"

#include <algorithm>
#include <functional>
#include <limits>

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
