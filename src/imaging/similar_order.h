// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "answer_ink.h"

#include <vector>

namespace imaging {

// The order in which to show one question's answers so that look-alike answers stand together:
// the blank ones first, then the written ones in groups of similar ink, the larger of two groups
// that split apart first and similar groups side by side, each group in sheet order; answers
// that could not be judged come last. Returns indices into `answers`, each once.
//
// Answers are compared by their ink cropped to its extent and scaled to a small fixed grid, so
// that the same answer written larger, smaller or elsewhere in the box still looks alike.
[[nodiscard]] std::vector<int> similarOrder(const std::vector<AnswerInk>& answers);

} // namespace imaging
