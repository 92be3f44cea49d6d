#pragma once

#include <QFuture>
#include <QProgressDialog>

namespace results {

// The modal progress of result computation. It has no cancel button and cannot be closed:
// stopping halfway would leave hyouka with some sheets of this run and none of the rest.
class ResultProgressDialog : public QProgressDialog {
    Q_OBJECT

public:
    explicit ResultProgressDialog(QWidget* parent = nullptr);

    // Shows the dialog and returns when the work is finished, following its progress.
    void waitFor(const QFuture<void>& work);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace results
