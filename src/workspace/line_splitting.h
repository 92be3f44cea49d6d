// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace workspace {

// The lines of a file's bytes. CR or CR LF ends a line; a lone LF does not (it stays part of
// the line). A final line without a line end still counts; an empty file has no lines.
// Splitting the raw bytes is safe in the Japanese code page: CR and LF never occur inside a
// double-byte character.
[[nodiscard]] QList<QByteArray> splitLines(const QByteArray& bytes);

// The fields of a line, split at every ASCII comma, empty fields kept: "0,,5" gives "0", "", "5".
[[nodiscard]] QStringList splitFields(const QString& line);

} // namespace workspace
