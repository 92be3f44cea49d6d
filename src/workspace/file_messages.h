// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The wording of file problems, so that every message names the file (and line) the same way.
namespace workspace::messages {

[[nodiscard]] QString cannotRead(const QString& path, const QString& reason);
[[nodiscard]] QString cannotWrite(const QString& path, const QString& reason);
[[nodiscard]] QString badLine(const QString& path, int lineNumber, const QString& problem);
// The file was written and renamed, but the disk did not confirm that it keeps it.
[[nodiscard]] QString cannotConfirmOnDisk(const QString& path, const QString& reason);
[[nodiscard]] QString cannotCreateFolder(const QString& path);
[[nodiscard]] QString cannotDelete(const QString& path);
// The reason to give when a write came back short without the system naming an error, as a
// write that reaches the end of a full disk does.
[[nodiscard]] QString writeStoppedShort();

} // namespace workspace::messages
