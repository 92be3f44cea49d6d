#include "modal_driver.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace test_support {

void onNextModal(std::function<void(QWidget* dialog)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action = std::move(action)] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

namespace {

void answerOneMessageBox(const std::shared_ptr<MessageLog>& log, int remaining)
{
    if (remaining == 0)
        return;
    onNextModal([log, remaining](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) {
            dialog->close();
            return;
        }
        log->texts.append(box->text());
        answerOneMessageBox(log, remaining - 1);
        QAbstractButton* button = box->defaultButton();
        if (!button)
            button = box->buttons().value(0);
        button->click();
    });
}

} // namespace

std::shared_ptr<MessageLog> answerMessageBoxes(int count)
{
    auto log = std::make_shared<MessageLog>();
    answerOneMessageBox(log, count);
    return log;
}

} // namespace test_support
