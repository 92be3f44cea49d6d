// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace workspace {

enum class LockOutcome {
    Taken,
    // A copy that ended without unlocking (a crash, a program killed at logout) left its lock behind.
    TakenOverStale,
    HeldByAnother,
    // The lock file cannot be made (a folder that cannot be written).
    Failed,
};

// The lock that keeps a second copy of the program off a work folder whose files the first one
// writes. It is held for as long as the object lives.
class WorkFolderLock {
public:
    explicit WorkFolderLock(const QString& workFolder);

    [[nodiscard]] LockOutcome outcome() const { return m_outcome; }
    [[nodiscard]] bool isHeld() const
    {
        return m_outcome == LockOutcome::Taken || m_outcome == LockOutcome::TakenOverStale;
    }
    // What to tell the teacher when the lock is not held.
    [[nodiscard]] QString message() const;

private:
    QString m_workFolder;
    std::unique_ptr<QLockFile> m_file;
    LockOutcome m_outcome = LockOutcome::Failed;
};

} // namespace workspace
