// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Moving names within the roster so that a list of names can be brought into sheet order. Both
// moves keep the number of names; `selected` must index one of them.
namespace roster {

struct TakeOutResult {
    QStringList names;
    QString taken;
};

// Takes the selected name out: the names below it move up one row and the last row becomes
// empty.
[[nodiscard]] TakeOutResult takeOut(QStringList names, qsizetype selected);

// Puts the name into the selected row: the names from there on move down one row and the name
// that stood in the last row is dropped.
[[nodiscard]] QStringList insertName(QStringList names, qsizetype selected, const QString& name);

// The text with every line break (CR LF, CR or LF) replaced by a space. A name is one line of
// ini/meibo.txt; a pasted CR would split it and give every later sheet its neighbour's name.
[[nodiscard]] QString singleLine(QString text);

} // namespace roster
