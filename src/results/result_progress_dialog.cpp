#include "result_progress_dialog.h"

#include "workspace/limits.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFutureWatcher>

using namespace Qt::Literals::StringLiterals;

namespace results {

ResultProgressDialog::ResultProgressDialog(QWidget* parent)
    : QProgressDialog(parent) {
    setWindowTitle(workspace::applicationTitle());
    setLabelText(u"採点結果を答案に書き込んでいます…"_s);
    setCancelButton(nullptr);
    setWindowModality(Qt::ApplicationModal);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
}

void ResultProgressDialog::waitFor(const QFuture<void>& work) {
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcher<void>::progressRangeChanged, this,
            &QProgressDialog::setRange);
    connect(&watcher, &QFutureWatcher<void>::progressValueChanged, this,
            &QProgressDialog::setValue);
    connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(work);
    show();
    if (!work.isFinished())
        loop.exec();
    hide();
}

void ResultProgressDialog::reject() {}

void ResultProgressDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}

} // namespace results
