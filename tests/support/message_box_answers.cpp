#include "message_box_answers.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace test_support {

std::shared_ptr<MessageLog> answerMessageBoxesOnly(int count) {
    auto log = std::make_shared<MessageLog>();
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, log, count] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        log->texts.append(box->text());
        if (log->texts.size() == count) {
            timer->stop();
            timer->deleteLater();
        }
        QAbstractButton* button = box->defaultButton();
        if (!button)
            button = box->buttons().value(0);
        button->click();
    });
    timer->start();
    return log;
}

} // namespace test_support
