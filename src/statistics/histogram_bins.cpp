// SPDX-License-Identifier: GPL-3.0-or-later
#include "histogram_bins.h"

#include <algorithm>

namespace statistics {

namespace {

// Rounds towards minus infinity, also for the negative totals a negative score can give.
qint64 floorDivide(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

// The smallest of 1, 2, 5, 10, 20, 50, … that is at least `minimum`.
qint64 roundWidth(qint64 minimum)
{
    for (qint64 scale = 1;; scale *= 10) {
        for (const qint64 step : {1, 2, 5}) {
            if (step * scale >= minimum)
                return step * scale;
        }
    }
}

} // namespace

QList<HistogramBin> histogramBins(const QList<qint32>& totals, int maxBins)
{
    if (totals.isEmpty() || maxBins < 1)
        return {};
    const auto [lowestTotal, highestTotal] = std::minmax_element(totals.cbegin(), totals.cend());
    // 64 bits, so that totals at both ends of the 32-bit range do not wrap.
    const qint64 lowest = *lowestTotal;
    const qint64 highest = *highestTotal;
    qint64 width = roundWidth((highest - lowest + maxBins) / maxBins);
    // Starting at a multiple of the width may push the highest total past the last bin.
    while ((highest - floorDivide(lowest, width) * width) / width >= maxBins)
        width = roundWidth(width + 1);
    const qint64 start = floorDivide(lowest, width) * width;
    const int binCount = static_cast<int>((highest - start) / width) + 1;
    QList<HistogramBin> bins(binCount);
    for (int index = 0; index < binCount; ++index) {
        bins[index].lowest = start + index * width;
        bins[index].highest = bins[index].lowest + width - 1;
    }
    for (const qint32 total : totals)
        ++bins[static_cast<int>((total - start) / width)].count;
    return bins;
}

} // namespace statistics
