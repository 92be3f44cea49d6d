// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading_state.h"
#include "journal_writer.h"

#include <QObject>
#include <QUndoStack>

namespace grading {

// Where an opening's journal starts: the saved files it refers to and the changes restored
// from the journal of an opening that did not end (none when nothing was restored).
struct JournalStart {
    QString path;
    JournalBase base;
    ChangeList restored;
    QDateTime restoredTime;
};

// One opening of the grading window without its widgets: the grading state, the journal that
// every change of the tables goes to, and the undo history of the teacher's actions. Every
// change, undone and redone ones included, passes through here to the journal.
class GradingHistory : public QObject {
    Q_OBJECT

public:
    GradingHistory(GradingTables saved, const JournalStart& journal);

    [[nodiscard]] GradingState& state() { return m_state; }
    [[nodiscard]] const GradingState& state() const { return m_state; }
    [[nodiscard]] QUndoStack& undoStack() { return m_undoStack; }

    // The teacher's actions that change the tables; each is one step of the history, the
    // keystrokes typed into one box until the focus moves on being one step together.
    void editScore(int index, const QString& text);
    void editComment(int index, const QString& text);
    void applyScore(const QString& preset);
    void applyComment(const QString& preset);
    // The typing in progress is over: the next keystroke starts a step of its own.
    void endTyping() { ++m_typingRun; }

    // Everything is saved or given up: the journal goes.
    void discardJournal() { m_journal.discard(); }

    // Undo and redo: applies the changes, journals them, and shows the page as it was at the
    // snapshot when nothing has rebuilt the page since `generation`, or builds the region's page
    // afresh. Returns the page generation afterwards.
    int replay(const ChangeList& changes, const PageSnapshot& page, int generation);

signals:
    // Undo or redo changed the page.
    void pageReplayed();
    // The journal cannot be written: the changes live only in memory until they are saved.
    void journalFailed(const QString& message);

private:
    void record(ChangeList changes, const PageSnapshot& before, int typingRun);
    void writeToJournal(const ChangeList& changes);

    GradingState m_state;
    JournalWriter m_journal;
    QUndoStack m_undoStack;
    bool m_journalIntact = true;
    bool m_failureReported = false;
    int m_typingRun = 0;
};

} // namespace grading
