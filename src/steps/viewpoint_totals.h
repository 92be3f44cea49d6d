// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "question_statistics.h"
#include "workspace/grade_threshold_file.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace steps {

// One sheet's result in one viewpoint.
struct ViewpointResult {
    double score = 0.0;          // the sum of the scores of the viewpoint's questions
    double fullMarks = 0.0;      // the sum of their full marks
    std::optional<double> share; // score / full marks; nothing when the full marks are 0
    QString grade;               // "A", "B" or "C"; empty without a share

    friend bool operator==(const ViewpointResult&, const ViewpointResult&) = default;
};

// Every sheet's results by viewpoint (kanten.csv).
struct ViewpointTable {
    QStringList labels; // in the order of their first question; empty when no question has one
    QList<QList<ViewpointResult>> sheets; // per sheet, one result per label
};

// "A" when the share reaches the A threshold, "B" when it reaches the B threshold, else "C";
// empty when the full marks are 0. Compared without dividing, so 4 of 5 is exactly 80 %.
[[nodiscard]] QString viewpointGrade(double score, double fullMarks,
                                     const workspace::GradeThresholds& thresholds);

[[nodiscard]] ViewpointTable viewpointTable(const QList<QuestionColumn>& columns,
                                            const workspace::GradeThresholds& thresholds);

} // namespace steps
