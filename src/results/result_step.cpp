#include "result_step.h"

#include "busy_pointer.h"
#include "result_computation.h"
#include "result_progress_dialog.h"
#include "workspace/limits.h"

#include <QMessageBox>

namespace results {

imaging::SheetSurface runResultStep(QWidget* parent, const workspace::Workspace& workFolder,
                                    RankDisplay rankDisplay, std::optional<QSize> shownPicture) {
    ResultOutcome outcome;
    {
        const BusyPointer busy;
        workFolder.makeCurrent();
        ResultProgressDialog progress(parent);
        outcome = computeResults(workFolder, rankDisplay, shownPicture,
                                 [&progress](QFuture<void> sheets) { progress.waitFor(sheets); });
    }
    if (outcome.status == ResultStatus::Saved)
        QMessageBox::information(parent, workspace::applicationTitle(), outcome.message);
    else
        QMessageBox::warning(parent, workspace::applicationTitle(), outcome.message);
    return outcome.lastSheet;
}

} // namespace results
