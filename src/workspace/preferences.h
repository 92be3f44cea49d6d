// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QList>
#include <QString>

namespace workspace {

// A yes/no choice the teacher makes and finds again at the next run, by its name in the file.
struct Choice {
    QLatin1StringView name;
    bool byDefault = false;
};

// Import leaves out the blank backs of a duplex scan.
inline constexpr Choice kDropBlankPages{QLatin1StringView("drop_blank_pages"), true};
// Import registers every sheet to the first one: shifts, turns and scales it so that its printed
// form lies where sheet 1's does.
inline constexpr Choice kRegisterSheets{QLatin1StringView("register_sheets"), true};

// The teacher's choices, kept in settei.txt in the work folder's root: one "name=value" per line
// (1 for yes, 0 for no) in the code page with CR LF. A line it does not know, or cannot read, is
// kept as it is; a choice without a readable line has its default.
class Preferences {
public:
    [[nodiscard]] static Preferences fromBytes(const QByteArray& bytes);
    // The preferences in the file, or the defaults when it is missing or cannot be read: they
    // never stop the step that asks for them.
    [[nodiscard]] static Preferences read(const QString& path);

    [[nodiscard]] bool isOn(const Choice& choice) const;
    void set(const Choice& choice, bool on);

    [[nodiscard]] QByteArray toBytes() const;
    // Writes the file through a temporary file renamed into place.
    Status write(const QString& path) const;

private:
    // The line that holds the choice, or -1.
    [[nodiscard]] qsizetype lineOf(const Choice& choice) const;

    QList<QByteArray> m_lines;
};

} // namespace workspace
