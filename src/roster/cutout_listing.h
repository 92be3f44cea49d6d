// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace roster {

// The number of rows for a listing of furiwake/001: names are taken in listing order while each
// is the next expected "NNN.bmp" (001.bmp, 002.bmp, …, compared exactly) and any other name is
// passed over, so the rows stop at the first sheet number that does not turn up in order.
[[nodiscard]] int sheetRowCount(const QStringList& listing);

// The *.bmp names in the folder, sorted by name; empty when the folder is missing. Linux lists a
// folder in no useful order, and an unsorted listing would cut the rows off at a random sheet.
[[nodiscard]] QStringList listCutouts(const QString& folder);

} // namespace roster
