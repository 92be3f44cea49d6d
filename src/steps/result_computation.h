// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/sheet_surface.h"
#include "result_plan.h"
#include "workspace/parallel_run.h"
#include "workspace/workspace_paths.h"

#include <QSize>
#include <QString>

#include <optional>

namespace steps {

enum class ResultStatus { Saved, Failed };

struct ResultOutcome {
    ResultStatus status = ResultStatus::Failed;
    // The closing message: "hyoukaフォルダに採点結果を保存しました", or what went wrong.
    QString message;
    // The last marked sheet, for the main window's sheet surface; null when none was drawn.
    imaging::SheetSurface lastSheet;
};

// "6.採点実行": reads and checks every input before anything is deleted (one score line per
// sheet among them), empties hyouka, draws the marked sheets through runSheets, one piece of work
// a sheet, and writes seiseki.csv, toukei.csv and (with viewpoints) kanten.csv. A sheet that
// cannot be read or saved stops the drawing; the tables are still written, and the message names
// the file instead of announcing success.
[[nodiscard]] ResultOutcome computeResults(const workspace::Workspace& workFolder,
                                           RankDisplay rankDisplay,
                                           std::optional<QSize> shownPicture,
                                           const workspace::ParallelRunner& runSheets);

// The message that closes a successful run.
[[nodiscard]] QString savedMessage();

} // namespace steps
