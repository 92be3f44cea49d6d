// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace workspace {

enum class WorkFolderKind {
    // A copy that keeps its examination beside itself: the build tree or a folder copied whole.
    ProgramFolder,
    // An installed copy: the examination lives in the per-user data folder.
    UserFolder,
    // The program's folder asks to be the work folder but cannot be written.
    UserFolderInsteadOfProgramFolder,
};

struct WorkFolderChoice {
    QString path;
    WorkFolderKind kind = WorkFolderKind::ProgramFolder;
    // The per-user folder did not exist before this start: the program is used for the first time.
    bool isNew = false;
};

// The file whose presence in the program's folder makes that folder the work folder. The build
// writes it beside the program; installing copies the program alone, so an installed copy keeps
// its examinations in the per-user folder even where it could write into its own (as root).
[[nodiscard]] QString workFolderMarkerName();

// The program's own folder when it holds the marker and can be written, otherwise the per-user
// folder (created when missing).
[[nodiscard]] WorkFolderChoice chooseWorkFolder(const QString& programFolder,
                                                const QString& userFolder);

// What to tell the teacher at start-up about where the examination is kept; empty when there
// is nothing to tell (the program's own folder, or a per-user folder already in use).
[[nodiscard]] QString workFolderNotice(const WorkFolderChoice& choice);

// Whether a file can be created in the folder (a real attempt, not the permission bits alone).
[[nodiscard]] bool isWritableFolder(const QString& folder);

} // namespace workspace
