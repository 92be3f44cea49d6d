// SPDX-License-Identifier: GPL-3.0-or-later
#include "question_ink_cache.h"

#include "imaging/similar_order.h"
#include "steps/question_ink.h"

#include <QFileInfo>

namespace grading {

const QuestionInk& QuestionInkCache::question(const workspace::Workspace& workFolder, int region,
                                              int sheetCount)
{
    std::vector<FileStamp> stamps;
    stamps.reserve(std::size_t(std::max(sheetCount, 0)));
    for (int sheet = 1; sheet <= sheetCount; ++sheet) {
        const QFileInfo file(workFolder.path(workspace::paths::cutoutImage(region, sheet)));
        stamps.push_back(file.exists()
                             ? FileStamp{file.size(), file.lastModified().toMSecsSinceEpoch()}
                             : FileStamp{});
    }
    Entry& entry = m_entries[region];
    if (!entry.stamps.empty() && entry.stamps == stamps)
        return entry.ink;

    ++m_judgeCount;
    const std::vector<imaging::AnswerInk> answers =
        steps::questionAnswerInk(workFolder, region, sheetCount);
    entry.stamps = std::move(stamps);
    entry.ink.blank.assign(answers.size(), false);
    for (std::size_t index = 0; index < answers.size(); ++index)
        entry.ink.blank[index] = answers[index].judgement == imaging::InkJudgement::Blank;
    entry.ink.similarOrder = imaging::similarOrder(answers);
    return entry.ink;
}

} // namespace grading
