// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace roster {

// The names of a roster file the teacher chose, one per line, each taken whole (no trimming, no
// splitting at commas). A line that is one CSV field in double quotes, as a spreadsheet exports a
// one-column list, gives the text inside, with doubled quotes undone. CR LF, CR and LF each end a line: a name box holds one
// line, and a file saved on Linux ends its lines with LF alone.
//
// The text is read as UTF-8 when the file starts with the UTF-8 byte-order mark or is valid
// UTF-8 throughout (today's spreadsheets export so), as UTF-16 when it starts with a UTF-16
// byte-order mark, and otherwise as Shift-JIS (code page 932). A file that is none of these, or
// that holds NUL bytes (a binary file, or UTF-16 without a mark), is refused with a message
// naming the file and, where it can, the line: names must never arrive garbled.
[[nodiscard]] workspace::Expected<QStringList> decodeRosterInput(const QByteArray& bytes,
                                                                 const QString& path);

[[nodiscard]] workspace::Expected<QStringList> readRosterInput(const QString& path);

} // namespace roster
