// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QString>
#include <QStringList>

namespace workspace {

// The lines of a text file in the Japanese code page, each taken verbatim (CR or CR LF ends a
// line; a lone LF stays in it). Fails naming the file (by `name`) and line when a line holds
// bytes that are not valid in the code page, or when the file has more than maxLines lines.
[[nodiscard]] Expected<QStringList> decodeTextLines(const QByteArray& bytes, const QString& name,
                                                    int maxLines);
// The same for the file at path, or why it cannot be read.
[[nodiscard]] Expected<QStringList> readTextLines(const QString& path, int maxLines);

// Writes the lines in the Japanese code page, each ended by CR LF, through a temporary file.
// Fails naming the line and its text when a character cannot be stored; the old file then stays.
Status writeTextLines(const QString& path, const QStringList& lines);

// The bytes writeTextLines would write.
[[nodiscard]] Expected<QByteArray> encodeTextLines(const QString& path, const QStringList& lines);

} // namespace workspace
