// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/viewpoint_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace steps {

// One region's scores on every sheet, with its viewpoint and full marks: what the statistics and
// the viewpoint totals are computed from.
struct QuestionColumn {
    QString label;
    double fullMarks = 0.0;
    // One per sheet: the leading number of the score text, as the totals take it; 0 when empty.
    QList<double> scores;
};

// The columns of regions 1 … regionCount over the score rows. A region whose viewpoint line is
// missing or leaves the full marks empty takes the highest score given on it, and 0 when no
// score is above 0.
[[nodiscard]] QList<QuestionColumn>
questionColumns(const QList<QStringList>& scoreRows, int regionCount,
                const QList<workspace::RegionViewpoint>& viewpoints);

// How one question worked over the class (a line of toukei.csv). A value that is undefined for
// the class (fewer than 2 sheets, full marks of 0, no spread) is nothing, never a division by 0.
struct QuestionStatistics {
    QString label;
    double fullMarks = 0.0;
    int sheetCount = 0;
    std::optional<double> mean;
    std::optional<double> standardDeviation; // of the population
    std::optional<double> scoreRate;         // 得点率: mean / full marks
    std::optional<double> successRate;       // 正答率: share of the sheets with the full marks
    // 識別指数: (mean of the top group − mean of the bottom group) / full marks. With the sheets in
    // one order, highest total first and equal totals by sheet number, the groups are its first
    // and its last round(0.27 N) sheets, at least 1 (halves to even, like every rounding here).
    std::optional<double> discrimination;
    // 項目残余相関: Pearson correlation of the score with the total minus the score.
    std::optional<double> itemRestCorrelation;
    // 無答率: the share of blank answers, judged from the cut-outs (questionAnswerInk); not from
    // the scores, so examStatistics leaves it empty.
    std::optional<double> blankRate;
};

// The totals of the class (the line 全体 of toukei.csv).
struct TotalStatistics {
    std::optional<double> mean;
    std::optional<double> standardDeviation; // of the population
    std::optional<double> median;
    std::optional<double> minimum;
    std::optional<double> maximum;
    // Cronbach's alpha over the questions with full marks above 0.
    std::optional<double> alpha;
};

struct ExamStatistics {
    QList<QuestionStatistics> questions;
    TotalStatistics total;
};

// The statistics of every column over the sheets. The totals are those of seiseki.csv, one per
// sheet in sheet order, as many as every column has scores.
[[nodiscard]] ExamStatistics examStatistics(const QList<QuestionColumn>& columns,
                                            const QList<qint32>& totals);

// Plain hints for a question that may not have worked, empty when none applies: a success rate
// under 20 % or over 90 %, a discrimination under 0.2, a negative item-rest correlation.
[[nodiscard]] QStringList questionWarnings(const QuestionStatistics& question);

} // namespace steps
