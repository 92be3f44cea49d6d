// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QString>
#include <QStringList>

namespace workspace {

// ini/meibo.txt: line k is the name of sheet k, raw text without quoting; an empty line is a
// sheet without a name.

// Fails naming the file (by `name`) and line on a 501st line or on bytes that are not valid in the
// code page.
[[nodiscard]] Expected<QStringList> decodeRoster(const QByteArray& bytes, const QString& name);
[[nodiscard]] Expected<QStringList> readRoster(const QString& path);

// One line per name, at least one line even for an empty list.
Status writeRoster(const QString& path, const QStringList& names);

} // namespace workspace
