// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace workspace {

// The text with its printable ASCII characters in their full-width forms (U+FF01 … U+FF5E) and
// the ASCII space as the ideographic space: "2.5" becomes "２．５", 10 becomes "１０".
// Other characters are kept.
[[nodiscard]] QString fullWidth(QStringView text);

} // namespace workspace
