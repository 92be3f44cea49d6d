// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QtGlobal>

namespace statistics {

// The totals from lowest to highest inclusive, and how many sheets have one of them.
struct HistogramBin {
    qint64 lowest = 0;
    qint64 highest = 0;
    int count = 0;

    friend bool operator==(const HistogramBin&, const HistogramBin&) = default;
};

// At most maxBins bins covering the totals, all of one width among 1, 2, 5, 10, 20, 50, …, the
// first starting at a multiple of it, so that they read as 60–69, 70–79, …; none without totals.
[[nodiscard]] QList<HistogramBin> histogramBins(const QList<qint32>& totals, int maxBins);

} // namespace statistics
