// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace workspace {

// A text as one field of a CSV line, between double quotes, with every double quote in it doubled
// (RFC 4180): a name holding a comma or a quote stays one field for every spreadsheet.
[[nodiscard]] QString quotedCsvField(const QString& text);

// The text of a line that is one such field ("山田　花子", "山田""花子"""); nothing for any other
// line, including one whose quotes do not pair up or that holds more than one field.
[[nodiscard]] std::optional<QString> unquotedCsvField(QStringView line);

} // namespace workspace
