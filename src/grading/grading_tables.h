// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cell_change.h"
#include "workspace/expected.h"
#include "workspace/limits.h"
#include "workspace/region_rect.h"
#include "workspace/workspace_paths.h"

#include <QString>

#include <vector>

namespace grading {

// The data the grading window works on, loaded afresh at every opening: the regions, the sheet
// count, and the score, comment and name tables indexed by sheet 1 … 500 and region 1 … 101
// (entry 0 of each index holds nothing).
class GradingTables {
public:
    GradingTables();

    // Reads ini/zahyo.txt, counts the sheets and reads ini/haiten.txt, ini/comment.txt and
    // ini/meibo.txt; a missing score, comment or roster file leaves its table empty. With a
    // roster, region 1 is the name field and every sheet's score there becomes "0". Fails with a
    // message naming the file when a file is malformed or holds more than the tables can, or
    // when there are more than 500 sheets.
    [[nodiscard]] static workspace::Expected<GradingTables>
    load(const workspace::Workspace& workspace);

    // Writes ini/haiten.txt and ini/comment.txt: one line per sheet 1 … sheetCount with exactly
    // regionCount fields. When any text cannot be stored (a character the code page lacks, a
    // line break) nothing is written and the message names the sheet and the question; when a
    // file cannot be written (a full disk) both files stay as they were.
    workspace::Status save(const workspace::Workspace& workspace) const;

    [[nodiscard]] const workspace::RegionTables& regions() const { return m_regions; }
    [[nodiscard]] int regionCount() const { return m_regions.regionCount; }
    [[nodiscard]] int sheetCount() const { return m_sheetCount; }

    [[nodiscard]] const QString& score(int sheet, int region) const;
    void setScore(int sheet, int region, const QString& text);
    [[nodiscard]] const QString& comment(int sheet, int region) const;
    void setComment(int sheet, int region, const QString& text);
    [[nodiscard]] const QString& name(int sheet) const;

    // Every sheet's score for the region is a numeric text (true when there are no sheets).
    [[nodiscard]] bool isFullyGraded(int region) const;

    // Whether saving would write something other than what the other tables would write.
    [[nodiscard]] bool savesSameAs(const GradingTables& other) const;

    [[nodiscard]] const QString& text(int sheet, int region, TableField field) const;
    // Applies the changes when every one starts from the text the tables hold for a sheet and a
    // region that exist; otherwise changes nothing and returns false.
    [[nodiscard]] bool applyIfFits(const ChangeList& changes);
    // What turns these tables into the other ones (on the same sheets and regions), answer by
    // answer in sheet and region order.
    [[nodiscard]] ChangeList changesTo(const GradingTables& other) const;

private:
    [[nodiscard]] static qsizetype cellIndex(int sheet, int region);

    workspace::RegionTables m_regions;
    int m_sheetCount = 0;
    std::vector<QString> m_scoreTable;
    std::vector<QString> m_commentTable;
    std::vector<QString> m_nameList;
};

} // namespace grading
