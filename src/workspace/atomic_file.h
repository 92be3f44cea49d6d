// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace workspace {

// Replaces the file with the bytes through a temporary file renamed into place, so that a crash
// or a full disk leaves either the old file or the new one, never a part of either. The data is
// synced before the rename and the folder after it: once this returns, a power cut keeps the
// new file.
Status writeFileAtomically(const QString& path, const QByteArray& bytes);

// The new content of one file.
struct FileContent {
    QString path;
    QByteArray bytes;
};

// Replaces files that are read together (scores and comments) the same way, writing every new
// content in full before the first is renamed into place: a full disk, a missing folder or any
// other failure while writing leaves all the old files as they were. Only a failure in the
// final renames, which write nothing, can leave some replaced and not the others.
Status writeFilesAtomically(const QList<FileContent>& files);

// Syncs a folder's entries (a rename or a removal in it) to the disk.
Status syncFolder(const QString& folder);

// The whole content of a file.
[[nodiscard]] Expected<QByteArray> readWholeFile(const QString& path);

} // namespace workspace
