// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading_journal.h"
#include "grading_tables.h"
#include "workspace/workspace_paths.h"

namespace grading {

enum class RecoveryKind {
    // No journal, or one whose changes add up to nothing.
    Nothing,
    // Every change in it is already in the saved files: saving ended before the journal was
    // emptied.
    AlreadySaved,
    Restorable,
    // Changes that no longer fit the saved files, or a journal damaged from its start.
    Unusable,
};

enum class JournalProblem { None, Damaged, DoesNotFit };

// What the journal left by an opening that did not end can give back to the saved tables.
struct Recovery {
    RecoveryKind kind = RecoveryKind::Nothing;
    // From the saved tables to the restored ones.
    ChangeList changes;
    int changedAnswers = 0;
    QDateTime lastChange;
    // Why the journal was not replayed to its end, and the first line left out.
    JournalProblem problem = JournalProblem::None;
    int firstLineLeftOut = 0;
    // The saved files are not those the journal started from.
    bool savedFilesChanged = false;
};

// Replays the journal onto a copy of the saved tables, checking every record against them, up
// to the first record that is damaged or does not fit.
[[nodiscard]] Recovery planRecovery(const GradingTables& saved, const JournalBase& savedBase,
                                    const JournalContents& journal);

// The saved files' checksums, and what the journal in the workspace can give back to the saved
// tables (a journal that cannot be read counts as damaged from its start).
struct JournalFindings {
    JournalBase base;
    Recovery recovery;
};
[[nodiscard]] JournalFindings inspectJournal(const workspace::Workspace& workspace,
                                             const GradingTables& saved);

// The question put to the teacher for a restorable journal at `path`, and the notice for an
// unusable one.
[[nodiscard]] QString recoveryQuestion(const Recovery& recovery, const QString& path);
[[nodiscard]] QString unusableJournalNotice(const Recovery& recovery, const QString& path);

} // namespace grading
