// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "question_statistics.h"
#include "viewpoint_totals.h"

#include <QStringList>

namespace steps {

// The lines of toukei.csv: the header
// "領域,観点,満点,人数,平均,標準偏差,得点率,正答率,識別指数,項目残余相関,無答率", one line per
// region, then "全体" followed by pairs of a name and a value: 平均, 標準偏差, 中央値, 最小 and
// 最大 of the totals, and α係数. Numbers have at most 3 decimals, a label holding a double quote is
// a quoted CSV field, and an undefined value is an empty field.
[[nodiscard]] QStringList statisticsTableLines(const ExamStatistics& statistics);

// The lines of kanten.csv: the header "氏名" followed, per viewpoint, by its label with 得点,
// 満点, 割合 and 評価; then one line per sheet: the name, and per viewpoint the score, the full
// marks, the share and the grade. Names are quoted CSV fields as in seiseki.csv; labels as in
// statisticsTableLines.
[[nodiscard]] QStringList viewpointTableLines(const QStringList& names,
                                              const ViewpointTable& table);

} // namespace steps
