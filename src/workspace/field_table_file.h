// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace workspace {

// ini/haiten.txt and ini/comment.txt: line k belongs to sheet k and holds that sheet's texts of
// regions 1 … R joined by ",". An empty field is an ungraded answer or an answer without comment.

// Each line split at ",". Fails naming the file (by `name`) and line on a 501st line, on a line
// with more than 101 fields, or on bytes that are not valid in the code page. Field counts are
// otherwise not checked: a short line leaves the later regions empty.
[[nodiscard]] Expected<QList<QStringList>> decodeFieldTable(const QByteArray& bytes,
                                                            const QString& name);
[[nodiscard]] Expected<QList<QStringList>> readFieldTable(const QString& path);

// One line per row, its fields joined by ",". Fails, leaving the old file whole, when a field
// holds a comma or a line break (it would shift every later field) or a character the code
// page cannot hold.
Status writeFieldTable(const QString& path, const QList<QStringList>& rows);

// The bytes writeFieldTable would write, or its failure.
[[nodiscard]] Expected<QByteArray> encodeFieldTable(const QString& path,
                                                    const QList<QStringList>& rows);

} // namespace workspace
