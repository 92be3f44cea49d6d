// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_registration_action.h"

#include "steps/sheet_registration.h"
#include "widgets/busy_pointer.h"
#include "widgets/progress_run.h"

using namespace Qt::Literals::StringLiterals;

namespace main_window {

QString registerImportedSheets(QWidget* window, const workspace::Workspace& workFolder,
                               int sheetCount)
{
    if (sheetCount < 2)
        return {};
    steps::SheetRegistration registration(workFolder, sheetCount);
    const workspace::Status prepared = [&registration] {
        const widgets::BusyPointer busy;
        return registration.prepare();
    }();
    if (!prepared)
        return prepared.error()
               + u"\n答案の位置と傾きは合わせずに、スキャンしたまま保存しました。"_s;
    registration.decide(widgets::runWithProgress(
        window, u"答案の位置と傾きを調べています"_s, registration.checkCount(),
        [&registration](int index) { return registration.check(index); }));
    return steps::registrationMessage(registration.finish(widgets::runWithProgress(
        window, u"答案の位置と傾きを合わせています"_s, registration.moveCount(),
        [&registration](int index) { return registration.move(index); })));
}

} // namespace main_window
