// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_answerer.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace exam_driver {

namespace {

constexpr int kPollMilliseconds = 10;

void chooseInFileDialog(QFileDialog* dialog, const DialogChoices& choices)
{
    if (dialog->fileMode() == QFileDialog::Directory) {
        dialog->setDirectory(choices.folder);
    } else {
        // Typed into the name box, as a teacher would; the dialog still checks that it exists.
        dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(choices.file);
    }
    // Through QDialog, where accept() is public.
    static_cast<QDialog*>(dialog)->accept();
}

void choosePrintSettings(QWidget* dialog, const DialogChoices& choices)
{
    dialog->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(choices.paper);
    dialog->findChild<QComboBox*>(u"Combo2"_s)->setCurrentText(choices.orientation);
    dialog->findChild<QPushButton*>(u"Command1"_s)->click();
}

} // namespace

DialogAnswerer::DialogAnswerer(DialogChoices choices, Watcher watcher)
    : m_choices(std::move(choices))
    , m_watcher(std::move(watcher))
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible() || dialog == m_answered
            || qobject_cast<QProgressDialog*>(dialog))
            return;
        m_answered = dialog;
        answer(dialog);
    });
    m_timer.start(kPollMilliseconds);
}

void DialogAnswerer::answer(QWidget* dialog)
{
    if (m_watcher)
        m_watcher(dialog);
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        m_messages.append(box->text());
        QAbstractButton* button = box->defaultButton();
        (button ? button : box->buttons().value(0))->click();
    } else if (auto* fileDialog = qobject_cast<QFileDialog*>(dialog)) {
        m_openedIn.append(fileDialog->directory().absolutePath());
        chooseInFileDialog(fileDialog, m_choices);
    } else if (dialog->objectName() == u"Form5"_s) {
        choosePrintSettings(dialog, m_choices);
    } else {
        m_unexpected.append(dialog->windowTitle());
        dialog->close();
    }
}

} // namespace exam_driver
