// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_driver.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

MessageLog::MessageLog(int count)
    : m_remaining(count)
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || m_remaining == 0)
            return;
        texts.append(box->text());
        if (--m_remaining == 0)
            m_timer.stop();
        QAbstractButton* button = box->defaultButton();
        (button ? button : box->buttons().value(0))->click();
    });
    m_timer.start(10);
}

std::shared_ptr<MessageLog> answerMessageBoxes(int count)
{
    return std::make_shared<MessageLog>(count);
}

} // namespace test_support
