// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The Japanese ANSI code page (Shift-JIS as Windows extends it, code page 932) in which every
// workspace text file and roster file is stored.
namespace workspace::cp932 {

// Whether the platform's converter for the code page is present; checked once at start-up.
[[nodiscard]] bool isAvailable();

// The text of bytes in the code page; nothing when a byte sequence is not valid there
// (including half a double-byte character at the end).
[[nodiscard]] std::optional<QString> decode(QByteArrayView bytes);

// Replaces the look-alike characters that Linux input methods produce (〜 ‖ − — ¢ £ ¬) with the
// forms the code page holds (～ ∥ － ― ￠ ￡ ￢), so that a teacher's typing can be stored.
[[nodiscard]] QString withCodePageForms(QString text);

// The bytes of the text in the code page, after withCodePageForms; a failure naming the text
// when a character cannot be held, never a substituted "?".
[[nodiscard]] Expected<QByteArray> encode(const QString& text);

// Whether encode would succeed.
[[nodiscard]] bool canEncode(const QString& text);

} // namespace workspace::cp932
