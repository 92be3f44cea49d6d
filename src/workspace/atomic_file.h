#pragma once

#include "expected.h"

#include <QByteArray>
#include <QString>

namespace workspace {

// Replaces the file with the bytes through a temporary file renamed into place, so that a crash
// or a full disk leaves either the old file or the new one, never a part of either.
Status writeFileAtomically(const QString& path, const QByteArray& bytes);

// The whole content of a file.
[[nodiscard]] Expected<QByteArray> readWholeFile(const QString& path);

} // namespace workspace
