// SPDX-License-Identifier: GPL-3.0-or-later
#include "work_folder_lock.h"

#include "workspace_paths.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

WorkFolderLock::WorkFolderLock(const QString& workFolder)
    : m_workFolder(workFolder)
    , m_file(std::make_unique<QLockFile>(Workspace(workFolder).path(paths::workFolderLock())))
{
    // By default a lock older than 30 seconds counts as stale even while its program runs; only
    // a program that is gone may lose its lock.
    m_file->setStaleLockTime(0);
    const bool leftBehind = QFileInfo::exists(m_file->fileName());
    if (m_file->tryLock(0))
        m_outcome = leftBehind ? LockOutcome::TakenOverStale : LockOutcome::Taken;
    else if (m_file->error() == QLockFile::LockFailedError)
        m_outcome = LockOutcome::HeldByAnother;
    else
        m_outcome = LockOutcome::Failed;
}

QString WorkFolderLock::message() const
{
    switch (m_outcome) {
    case LockOutcome::HeldByAnother:
        return u"丸付け名人は、この作業フォルダですでに起動しています。\n"
               u"作業フォルダ: %1\n"
               u"先に起動した丸付け名人の画面をお使いください。"
               u"二つ同時に使うと、採点の結果が上書きされてしまいます。"_s.arg(
                   displayPath(m_workFolder));
    case LockOutcome::Failed:
        return u"作業フォルダ「%1」にファイル「%2」を作れないため、起動できません。"_s.arg(
            displayPath(m_workFolder), paths::workFolderLock());
    case LockOutcome::Taken:
    case LockOutcome::TakenOverStale: break;
    }
    return {};
}

} // namespace workspace
