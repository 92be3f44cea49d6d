// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

namespace grading {

enum class TableField { Score, Comment };

// One answer's score or comment text in the tables, before and after a change.
struct CellChange {
    int sheet = 0;
    int region = 0;
    TableField field = TableField::Score;
    QString before;
    QString after;

    friend bool operator==(const CellChange&, const CellChange&) = default;
};

using ChangeList = std::vector<CellChange>;

// The same changes taken back, last first.
[[nodiscard]] ChangeList inverted(const ChangeList& changes);

} // namespace grading
