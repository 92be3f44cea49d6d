#pragma once

#include <QString>

// The wording of file problems, so that every message names the file (and line) the same way.
namespace workspace::messages {

[[nodiscard]] QString cannotRead(const QString& path, const QString& reason);
[[nodiscard]] QString cannotWrite(const QString& path, const QString& reason);
[[nodiscard]] QString badLine(const QString& path, int lineNumber, const QString& problem);
[[nodiscard]] QString cannotCreateFolder(const QString& path);
[[nodiscard]] QString cannotDelete(const QString& path);

} // namespace workspace::messages
