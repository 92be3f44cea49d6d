// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace exam_driver {

// What the dialogs of one step are answered with. Message boxes are always confirmed with their
// default button; a progress dialog is left to close by itself.
struct DialogChoices {
    // The folder to choose in a folder dialog.
    QString folder{};
    // The file to choose in a file dialog.
    QString file{};
    // Paper ("A4", "A3", "B4", "B5") and orientation ("横", "縦") for the print settings dialog.
    QString paper{};
    QString orientation{};
};

// Answers the modal dialogs that appear while it lives, one after the other, as a teacher would:
// made before the click that opens them, since the click returns only once they are closed.
class DialogAnswerer {
public:
    using Watcher = std::function<void(QWidget* dialog)>;

    DialogAnswerer(DialogChoices choices, Watcher watcher);

    // The texts of the message boxes answered so far, in order.
    [[nodiscard]] const QStringList& messages() const { return m_messages; }
    // The folder each folder or file dialog opened in, in order.
    [[nodiscard]] const QStringList& openedIn() const { return m_openedIn; }
    // Dialogs that were not expected and were closed unanswered, by title.
    [[nodiscard]] const QStringList& unexpected() const { return m_unexpected; }

private:
    void answer(QWidget* dialog);

    DialogChoices m_choices;
    Watcher m_watcher;
    QTimer m_timer;
    QPointer<QWidget> m_answered;
    QStringList m_messages;
    QStringList m_openedIn;
    QStringList m_unexpected;
};

} // namespace exam_driver
