#pragma once

#include <QString>

namespace workspace {

struct WorkFolderChoice {
    QString path;
    // True when the program's own folder could not be written and the per-user data folder is
    // used instead; the teacher is told where.
    bool isFallback = false;
};

// The folder that holds the examination: the program's own folder, or, when that is not
// writable (an installed copy), the per-user data folder, created when missing.
[[nodiscard]] WorkFolderChoice chooseWorkFolder(const QString& programFolder);

// Whether a file can be created in the folder (a real attempt, not the permission bits alone).
[[nodiscard]] bool isWritableFolder(const QString& folder);

} // namespace workspace
