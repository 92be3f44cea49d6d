// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric_text.h"

#include <QString>

namespace workspace {

namespace {

bool isBlank(QChar character)
{
    return character == u' ' || character == u'\t';
}

bool isAsciiDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

// Length of the number (sign, digits, one point) at the start of text, 0 when there is none.
qsizetype numberLength(QStringView text)
{
    qsizetype position = 0;
    if (position < text.size() && (text[position] == u'+' || text[position] == u'-'))
        ++position;
    bool seenDigit = false;
    bool seenPoint = false;
    for (; position < text.size(); ++position) {
        const QChar character = text[position];
        if (isAsciiDigit(character)) {
            seenDigit = true;
        } else if (character == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    return seenDigit ? position : 0;
}

QStringView trimmedBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

bool isNumericText(QStringView text)
{
    const QStringView core = trimmedBlanks(text);
    return !core.isEmpty() && numberLength(core) == core.size();
}

double leadingNumberValue(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    const qsizetype length = numberLength(text);
    if (length == 0)
        return 0.0;
    QString number = text.first(length).toString();
    if (number.endsWith(u'.'))
        number.chop(1);
    return number.toDouble();
}

QString decimalText(double value)
{
    QString text = QString::number(value, 'f', 3);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    // A small negative value rounds to "-0".
    return text == u"-0" ? QString(u'0') : text;
}

} // namespace workspace
