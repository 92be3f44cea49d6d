// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics/histogram_bins.h"

#include <gtest/gtest.h>

#include <limits>

using statistics::HistogramBin;
using statistics::histogramBins;

TEST(HistogramBins, CoverEveryTotalWithAtMostTheBinsAskedFor)
{
    EXPECT_TRUE(histogramBins({}, 10).isEmpty());
    EXPECT_EQ(histogramBins({7, 7}, 10), (QList<HistogramBin>{{7, 7, 2}}));
    EXPECT_EQ(histogramBins({35, 62, 95}, 10), (QList<HistogramBin>{{30, 39, 1},
                                                                    {40, 49, 0},
                                                                    {50, 59, 0},
                                                                    {60, 69, 1},
                                                                    {70, 79, 0},
                                                                    {80, 89, 0},
                                                                    {90, 99, 1}}));
    // 0 … 100 in ten bins of ten would need an eleventh for 100.
    EXPECT_EQ(histogramBins({0, 9, 10, 100}, 10),
              (QList<HistogramBin>{
                  {0, 19, 3}, {20, 39, 0}, {40, 59, 0}, {60, 79, 0}, {80, 99, 0}, {100, 119, 1}}));
    EXPECT_EQ(histogramBins({-3, 2}, 2), (QList<HistogramBin>{{-5, -1, 1}, {0, 4, 1}}));

    const qint32 lowest = std::numeric_limits<qint32>::min();
    const qint32 highest = std::numeric_limits<qint32>::max();
    const QList<HistogramBin> wide = histogramBins({lowest, 0, highest}, 10);
    ASSERT_LE(wide.size(), 10);
    EXPECT_LE(wide.first().lowest, lowest);
    EXPECT_GE(wide.last().highest, highest);
    int count = 0;
    for (const HistogramBin& bin : wide)
        count += bin.count;
    EXPECT_EQ(count, 3);
}
