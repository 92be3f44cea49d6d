// SPDX-License-Identifier: GPL-3.0-or-later
#include "japanese_font.h"

using namespace Qt::Literals::StringLiterals;

namespace imaging {

QString japaneseFontFamily()
{
    return u"Noto Sans CJK JP"_s;
}

} // namespace imaging
