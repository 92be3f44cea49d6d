// SPDX-License-Identifier: GPL-3.0-or-later
#include "full_width.h"

namespace workspace {

QString fullWidth(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (QChar character : text) {
        const char16_t code = character.unicode();
        if (code == u' ')
            result += QChar(0x3000);
        else if (code >= 0x21 && code <= 0x7E)
            result += QChar(char16_t(code + 0xFEE0));
        else
            result += character;
    }
    return result;
}

} // namespace workspace
