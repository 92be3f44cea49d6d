// SPDX-License-Identifier: GPL-3.0-or-later
#include "work_folder.h"

#include "workspace_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

QString workFolderMarkerName()
{
    return u"marutsuke.workfolder"_s;
}

bool isWritableFolder(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(u".write-test-XXXXXX"_s));
    return probe.open();
}

WorkFolderChoice chooseWorkFolder(const QString& programFolder, const QString& userFolder)
{
    const bool ownFolderWanted =
        QFileInfo::exists(QDir(programFolder).filePath(workFolderMarkerName()));
    if (ownFolderWanted && isWritableFolder(programFolder))
        return {programFolder, WorkFolderKind::ProgramFolder, false};
    const bool isNew = !QFileInfo::exists(userFolder);
    QDir().mkpath(userFolder);
    return {userFolder,
            ownFolderWanted ? WorkFolderKind::UserFolderInsteadOfProgramFolder
                            : WorkFolderKind::UserFolder,
            isNew};
}

QString workFolderNotice(const WorkFolderChoice& choice)
{
    switch (choice.kind) {
    case WorkFolderKind::ProgramFolder: return {};
    case WorkFolderKind::UserFolder:
        if (!choice.isNew)
            return {};
        return u"答案と採点の結果は次のフォルダに保存します。\n%1"_s.arg(displayPath(choice.path));
    case WorkFolderKind::UserFolderInsteadOfProgramFolder:
        return u"プログラムのフォルダに書き込めないため、次のフォルダを作業フォルダとして使います。\n%1"_s
            .arg(displayPath(choice.path));
    }
    return {};
}

} // namespace workspace
