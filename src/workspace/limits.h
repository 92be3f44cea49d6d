// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace workspace {

// Region tables are indexed 1 … kMaxRegions; entry 0 holds nothing.
inline constexpr int kMaxRegions = 101;
// Score, comment and name tables are indexed 1 … kMaxSheets; entry 0 holds nothing.
inline constexpr int kMaxSheets = 500;

// Caption of every message box the program shows.
inline QString applicationTitle()
{
    return QStringLiteral("丸付け名人");
}

} // namespace workspace
