// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/answer_ink.h"
#include "workspace/workspace_paths.h"

#include <optional>
#include <vector>

namespace steps {

// The ink of one region's answers on sheets 1 … sheetCount (index 0 for sheet 1), judged from
// their cut-outs furiwake/RRR/SSS.bmp; a missing or unreadable cut-out is Unknown.
[[nodiscard]] std::vector<imaging::AnswerInk>
questionAnswerInk(const workspace::Workspace& workFolder, int region, int sheetCount);

// The share of blank answers (無答率), from 0 to 1; nothing when there are no answers or some
// answer could not be judged, as a share of the others would be wrong.
[[nodiscard]] std::optional<double> blankShare(const std::vector<imaging::AnswerInk>& answers);

// The blank share of regions 1 … regionCount (index 0 for region 1), the regions shared among
// the cores; it returns when all are done.
[[nodiscard]] std::vector<std::optional<double>>
questionBlankShares(const workspace::Workspace& workFolder, int regionCount, int sheetCount);

} // namespace steps
