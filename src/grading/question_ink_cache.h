// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/workspace_paths.h"

#include <QtGlobal>

#include <map>
#include <vector>

namespace grading {

// What the cut-outs of one region say about its answers: which are blank, and the order that
// puts look-alikes together (sheet indices).
struct QuestionInk {
    std::vector<bool> blank; // one per sheet, index 0 for sheet 1
    std::vector<int> similarOrder;
};

// The ink of each region's answers, judged once and kept until one of its cut-outs changes
// (another size or modification time, or a cut-out appearing or going).
class QuestionInkCache {
public:
    [[nodiscard]] const QuestionInk& question(const workspace::Workspace& workFolder, int region,
                                              int sheetCount);

    // How many times a region's cut-outs have been judged so far.
    [[nodiscard]] int judgeCount() const { return m_judgeCount; }

private:
    struct FileStamp {
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        std::vector<FileStamp> stamps;
        QuestionInk ink;
    };

    std::map<int, Entry> m_entries;
    int m_judgeCount = 0;
};

} // namespace grading
