// SPDX-License-Identifier: GPL-3.0-or-later
#include "question_ink.h"

#include <algorithm>

namespace steps {

std::vector<imaging::AnswerInk> questionAnswerInk(const workspace::Workspace& workFolder,
                                                  int region, int sheetCount)
{
    std::vector<imaging::GreyThumbnail> cutouts;
    cutouts.reserve(std::size_t(std::max(sheetCount, 0)));
    for (int sheet = 1; sheet <= sheetCount; ++sheet)
        cutouts.push_back(imaging::readGreyThumbnail(
            workFolder.path(workspace::paths::cutoutImage(region, sheet))));
    return imaging::judgeAnswerInk(cutouts);
}

std::optional<double> blankShare(const std::vector<imaging::AnswerInk>& answers)
{
    if (answers.empty())
        return std::nullopt;
    qsizetype blanks = 0;
    for (const imaging::AnswerInk& answer : answers) {
        if (answer.judgement == imaging::InkJudgement::Unknown)
            return std::nullopt;
        blanks += answer.judgement == imaging::InkJudgement::Blank;
    }
    return double(blanks) / double(answers.size());
}

} // namespace steps
