// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace imaging {

// The state of an answer cell in the grading window or a row in the roster window, shown as
// the colour of the frame behind it and kept as the frame's tag word.
enum class MarkState {
    Gray,   // not selected; in grading: not graded
    Blue,   // not selected, graded (grading only)
    Yellow, // selected
};

// "gray", "blue" or "yellow".
[[nodiscard]] QString tagWord(MarkState state);
[[nodiscard]] std::optional<MarkState> markStateFromTag(const QString& tag);

// RGB(192,192,192), RGB(128,255,255) or RGB(255,255,0).
[[nodiscard]] QColor swatchColor(MarkState state);

// The solid 10 × 10 swatch that a frame stretches over its whole box.
[[nodiscard]] QImage swatchImage(MarkState state);

} // namespace imaging
