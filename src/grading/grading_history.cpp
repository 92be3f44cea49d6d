// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading_history.h"

#include <QUndoCommand>

namespace grading {

namespace {

constexpr int kTypingCommandId = 1;

// One action of the teacher: the changes it made, and the page before and after it.
class ChangeCommand : public QUndoCommand {
public:
    ChangeCommand(GradingHistory& history, ChangeList changes, PageSnapshot before, int typingRun)
        : m_history(history)
        , m_changes(std::move(changes))
        , m_before(std::move(before))
        , m_after(history.state().snapshot())
        , m_generationAfter(history.state().pageGeneration())
        , m_typingRun(typingRun)
    {
    }

    void undo() override
    {
        m_generationUndone = m_history.replay(inverted(m_changes), m_before, m_generationAfter);
    }

    void redo() override
    {
        // Pushing the command redoes it; the action itself has already been done.
        if (m_done) {
            m_done = false;
            return;
        }
        m_generationAfter = m_history.replay(m_changes, m_after, m_generationUndone);
    }

    int id() const override { return m_typingRun >= 0 ? kTypingCommandId : -1; }

    // Keystrokes into the same box without the focus moving in between are one edit.
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const ChangeCommand*>(other);
        if (next->m_typingRun != m_typingRun || m_changes.size() != 1
            || next->m_changes.size() != 1)
            return false;
        CellChange& change = m_changes.front();
        const CellChange& nextChange = next->m_changes.front();
        if (change.sheet != nextChange.sheet || change.region != nextChange.region
            || change.field != nextChange.field)
            return false;
        change.after = nextChange.after;
        m_after = next->m_after;
        m_generationAfter = next->m_generationAfter;
        setObsolete(change.before == change.after);
        return true;
    }

private:
    GradingHistory& m_history;
    ChangeList m_changes;
    PageSnapshot m_before;
    PageSnapshot m_after;
    int m_generationAfter = 0;
    int m_generationUndone = -1;
    int m_typingRun = -1; // -1 for actions other than typing
    bool m_done = true;
};

} // namespace

GradingHistory::GradingHistory(GradingTables saved, const JournalStart& journal)
    : m_state(std::move(saved))
    , m_journal(journal.path, journal.base)
{
    if (!journal.restored.empty()) {
        m_state.applyChanges(journal.restored);
        // The restored changes start the journal again as one record, so that another crash
        // finds them.
        if (workspace::Status written =
                m_journal.restart({journal.restoredTime, journal.restored, 0});
            !written)
            m_journalIntact = false;
    }
    connect(&m_journal, &JournalWriter::syncFailed, this, [this](const QString& message) {
        m_journalIntact = false;
        if (!m_failureReported) {
            m_failureReported = true;
            emit journalFailed(message);
        }
    });
}

void GradingHistory::writeToJournal(const ChangeList& changes)
{
    const workspace::Status written =
        m_journalIntact
            ? m_journal.append(changes)
            // After a failure the file may lack a record: it is written anew from the tables.
            : m_journal.restart({QDateTime::currentDateTime(),
                                 m_state.savedTables().changesTo(m_state.tables()), 0});
    m_journalIntact = written.ok();
    if (!written && !m_failureReported) {
        m_failureReported = true;
        emit journalFailed(written.error());
    }
}

void GradingHistory::record(ChangeList changes, const PageSnapshot& before, int typingRun)
{
    if (changes.empty())
        return;
    writeToJournal(changes);
    m_undoStack.push(new ChangeCommand(*this, std::move(changes), before, typingRun));
}

void GradingHistory::editScore(int index, const QString& text)
{
    const PageSnapshot before = m_state.snapshot();
    record(m_state.editScore(index, text), before, m_typingRun);
}

void GradingHistory::editComment(int index, const QString& text)
{
    const PageSnapshot before = m_state.snapshot();
    record(m_state.editComment(index, text), before, m_typingRun);
}

void GradingHistory::applyScore(const QString& preset)
{
    const PageSnapshot before = m_state.snapshot();
    record(m_state.applyScore(preset), before, -1);
}

void GradingHistory::applyComment(const QString& preset)
{
    const PageSnapshot before = m_state.snapshot();
    record(m_state.applyComment(preset), before, -1);
}

int GradingHistory::replay(const ChangeList& changes, const PageSnapshot& page, int generation)
{
    endTyping();
    m_state.applyChanges(changes);
    writeToJournal(changes);
    if (m_state.currentRegion() == page.region && m_state.pageGeneration() == generation)
        m_state.restorePage(page);
    else
        m_state.buildPage(page.region - 1);
    emit pageReplayed();
    return m_state.pageGeneration();
}

} // namespace grading
