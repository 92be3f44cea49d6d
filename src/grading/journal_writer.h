// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading_journal.h"
#include "workspace/expected.h"

#include <QFile>
#include <QObject>
#include <QTimer>

namespace grading {

// Writes the grading journal. A record reaches the file (the kernel's cache, which a killed
// program does not lose) before append returns; the disk itself is asked to keep it at most one
// second later, so that a burst of changes waits for the disk once.
class JournalWriter : public QObject {
    Q_OBJECT

public:
    static constexpr int kSyncDelayMilliseconds = 1000;

    // Nothing is written before the first record.
    JournalWriter(QString path, JournalBase base);
    ~JournalWriter() override;

    // Appends one action's changes, starting the file with its header when it has none. A
    // failed append leaves the file as it was before it.
    workspace::Status append(const ChangeList& changes);
    // Replaces the file with its header and one record of the changes (none for an empty
    // change list), synced before it returns.
    workspace::Status restart(const JournalRecord& record);
    // Removes the file: what it held is saved or given up.
    void discard();

    // Syncs what was appended and not yet synced.
    workspace::Status syncNow();
    [[nodiscard]] bool syncPending() const { return m_syncTimer.isActive(); }

signals:
    // The timed sync failed: what was appended since the last sync may not survive a power cut.
    void syncFailed(const QString& message);

private:
    workspace::Status openForAppending();
    workspace::Status failure(const QString& reason) const;

    QString m_path;
    JournalBase m_base;
    QFile m_file;
    int m_nextNumber = 1;
    QTimer m_syncTimer;
};

} // namespace grading
