// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace workspace {

// True when the text, ignoring blanks (spaces and tabs) around it, is a plain decimal number:
// an optional sign, then digits with at most one decimal point, at least one digit.
// "3", " -2.5 ", ".5" and "5." are numbers; "", "1e3", "1,000" and "３" are not.
// An answer is graded exactly when its score text passes this test.
[[nodiscard]] bool isNumericText(QStringView text);

// The value of the number at the start of the text (after leading blanks), 0 when there is
// none: "2.5点" gives 2.5, "abc" gives 0. Used wherever a score text takes part in arithmetic.
[[nodiscard]] double leadingNumberValue(QStringView text);

// A value as the statistics tables and the viewpoint files write it: rounded to 3 decimals,
// without trailing zeros or a trailing point, never in exponent form, and -0 as 0:
// 0.8532 gives "0.853", 2.5 gives "2.5", 3.0 gives "3".
[[nodiscard]] QString decimalText(double value);

} // namespace workspace
