// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mark_layout.h"
#include "statistics_source.h"
#include "workspace/expected.h"
#include "workspace/grade_table_file.h"
#include "workspace/region_rect.h"
#include "workspace/workspace_paths.h"

#include <QList>
#include <QSize>
#include <QStringList>

#include <optional>

namespace steps {

// Whether the rank is drawn on the marked sheets ("順位表示").
enum class RankDisplay { Hidden, Shown };

// Everything result computation needs, read and checked before any file is deleted.
struct ResultPlan {
    QList<workspace::RegionRect> regions;
    QList<QStringList> scoreRows;   // ini/haiten.txt, one row per sheet
    QList<QStringList> commentRows; // ini/comment.txt, at least as many rows
    QStringList names;              // one per score row, empty without a roster
    RegionOne regionOne = RegionOne::Scored;
    RankDisplay rankDisplay = RankDisplay::Hidden;
    QList<qint32> totals; // per score row, every field counted
    QList<qint32> ranks;
    ViewpointSetup viewpointSetup; // one viewpoint per region
    int unit = 0;

    [[nodiscard]] int sheetCount() const { return static_cast<int>(scoreRows.size()); }
    [[nodiscard]] SheetMarkInput markInput(int sheetIndex, double surfaceWidthTwips) const;
    // The header's region count: the number of fields in the first score line.
    [[nodiscard]] int regionFieldCount() const;
    [[nodiscard]] QList<workspace::GradeRow> gradeRows() const;
};

// Reads ini/zahyo.txt, ini/haiten.txt, ini/comment.txt, and ini/meibo.txt, ini/kanten.txt and
// ini/kanten_kijun.txt (when present) and computes totals, ranks and the mark unit. The unit comes
// from the picture the main window holds or, when it holds none, from touan/001.bmp. Fails with a
// message naming the file on a missing or malformed file, fewer comment lines than score lines,
// score lines that are not one per sheet of touan/, a total out of range, or when there is no
// picture to take the unit from.
[[nodiscard]] workspace::Expected<ResultPlan> planResults(const workspace::Workspace& workFolder,
                                                          RankDisplay rankDisplay,
                                                          std::optional<QSize> shownPicture);

} // namespace steps
