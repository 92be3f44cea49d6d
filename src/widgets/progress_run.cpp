// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_run.h"

#include "busy_pointer.h"

#include "workspace/limits.h"
#include "workspace/parallel_run.h"

#include <QApplication>
#include <QProgressDialog>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace widgets {

namespace {

constexpr int kShowAfterMilliseconds = 500;

QString progressText(const QString& label, int done, int count)
{
    return u"%1（%2／%3枚）"_s.arg(label, QString::number(done), QString::number(count));
}

} // namespace

QList<workspace::Status> runWithProgress(QWidget* window, const QString& label, int count,
                                         const workspace::IndexedWork& work)
{
    const BusyPointer busy;
    // The run keeps the event loop going; a second click must not start another run meanwhile.
    window->setEnabled(false);
    QProgressDialog dialog(progressText(label, 0, count), QString(), 0, count, window);
    dialog.setWindowTitle(workspace::applicationTitle());
    // There is no cancel: every sheet is done once the step has begun.
    dialog.setWindowFlag(Qt::WindowCloseButtonHint, false);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(kShowAfterMilliseconds);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    // A window of its own stays enabled when asked, although its parent is disabled.
    dialog.setEnabled(true);
    const QList<workspace::Status> results = workspace::runInParallel(count, work, [&](int done) {
        dialog.setLabelText(progressText(label, done, count));
        dialog.setValue(done);
    });
    dialog.hide();
    window->setEnabled(true);
    return results;
}

} // namespace widgets
