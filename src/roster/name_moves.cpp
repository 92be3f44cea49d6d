// SPDX-License-Identifier: GPL-3.0-or-later
#include "name_moves.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace roster {

TakeOutResult takeOut(QStringList names, qsizetype selected)
{
    QString taken = names.takeAt(selected);
    names.append(QString());
    return {std::move(names), std::move(taken)};
}

QStringList insertName(QStringList names, qsizetype selected, const QString& name)
{
    names.insert(selected, name);
    names.removeLast();
    return names;
}

QString singleLine(QString text)
{
    static const QRegularExpression lineBreak(u"\r\n|\r|\n"_s);
    return text.replace(lineBreak, u" "_s);
}

} // namespace roster
