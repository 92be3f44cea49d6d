// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QByteArray>
#include <QString>

namespace workspace {

// The shares, in percent, from which a viewpoint is graded A and B; below B it is C.
struct GradeThresholds {
    double a = 80.0;
    double b = 50.0;

    friend bool operator==(const GradeThresholds&, const GradeThresholds&) = default;
};

// Why the thresholds cannot be used, or an empty text: each must lie from 0 to 100, and A may
// not lie below B.
[[nodiscard]] QString thresholdProblem(const GradeThresholds& thresholds);

// ini/kanten_kijun.txt: two lines, the A threshold and the B threshold, as numeric texts. Fails
// naming the file (by `name`) and line on anything else.
[[nodiscard]] Expected<GradeThresholds> decodeGradeThresholds(const QByteArray& bytes,
                                                              const QString& name);
// The same for the file at path; a missing file gives 80 and 50.
[[nodiscard]] Expected<GradeThresholds> readGradeThresholds(const QString& path);

Status writeGradeThresholds(const QString& path, const GradeThresholds& thresholds);

} // namespace workspace
