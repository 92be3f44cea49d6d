// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace steps {

// The name, without the blanks around it, as a part of a file name that every file system and
// upload form takes: the characters Windows refuses (/ \ : * ? " < > |), control characters,
// spaces of every width and a leading dot become "_"; Japanese stays as it is. Cut to at most 100
// characters and 200 bytes of UTF-8, so that the whole file name stays within the 255 bytes of the
// usual file systems.
[[nodiscard]] QString fileNamePart(const QString& name);

// The PDF of one sheet: "NNN_<name>.pdf", or "NNN.pdf" when the name leaves nothing. The sheet
// number keeps two students of the same name apart.
[[nodiscard]] QString studentPdfName(int sheet, const QString& name);

// The PDF of the whole class.
[[nodiscard]] QString classPdfName();

} // namespace steps
