// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences.h"

#include "atomic_file.h"
#include "line_splitting.h"

#include <optional>

namespace workspace {

namespace {

QByteArrayView nameBytes(const Choice& choice)
{
    return QByteArrayView(choice.name.data(), choice.name.size());
}

// The value of a "name=value" line when the name is the choice's; a name is ASCII, which the
// code page stores as it is.
std::optional<QByteArray> valueFor(const QByteArray& line, const Choice& choice)
{
    const qsizetype equals = line.indexOf('=');
    if (equals < 0 || line.first(equals).trimmed() != nameBytes(choice))
        return std::nullopt;
    return line.sliced(equals + 1).trimmed();
}

} // namespace

Preferences Preferences::fromBytes(const QByteArray& bytes)
{
    Preferences preferences;
    preferences.m_lines = splitLines(bytes);
    return preferences;
}

Preferences Preferences::read(const QString& path)
{
    const Expected<QByteArray> bytes = readWholeFile(path);
    return bytes ? fromBytes(*bytes) : Preferences();
}

qsizetype Preferences::lineOf(const Choice& choice) const
{
    for (qsizetype index = 0; index < m_lines.size(); ++index) {
        const std::optional<QByteArray> value = valueFor(m_lines[index], choice);
        if (value && (*value == "1" || *value == "0"))
            return index;
    }
    return -1;
}

bool Preferences::isOn(const Choice& choice) const
{
    const qsizetype line = lineOf(choice);
    return line < 0 ? choice.byDefault : *valueFor(m_lines[line], choice) == "1";
}

void Preferences::set(const Choice& choice, bool on)
{
    QByteArray line = nameBytes(choice).toByteArray() + (on ? "=1" : "=0");
    if (const qsizetype index = lineOf(choice); index >= 0)
        m_lines[index] = std::move(line);
    else
        m_lines.append(std::move(line));
}

QByteArray Preferences::toBytes() const
{
    QByteArray bytes;
    for (const QByteArray& line : m_lines)
        bytes += line + "\r\n";
    return bytes;
}

Status Preferences::write(const QString& path) const
{
    return writeFileAtomically(path, toBytes());
}

} // namespace workspace
