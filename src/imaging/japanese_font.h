// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace imaging {

// The typeface of the windows and of the marks drawn on the sheets. Named, because left to the
// default Qt picks a Latin font and falls back for kanji; this one also has a real bold face,
// which the marks need (a synthetic bold vanishes at the sizes of totals on a 200-dpi sheet).
[[nodiscard]] QString japaneseFontFamily();

} // namespace imaging
