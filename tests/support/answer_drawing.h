// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace test_support {

// What a pupil wrote into the box of a drawn answer.
enum class Handwriting { None, Stroke, Ring, Cross, FaintStroke };

// A scanned answer cut-out of 200 × 80 pixels: off-white paper, a printed frame and a printed
// triangle (both shifted a pixel or two as a scanner does), scanner noise, a few specks of
// dust, and the handwriting at a size and place that vary with `seed`. The same seed draws
// the same cut-out.
[[nodiscard]] QImage drawnAnswer(Handwriting handwriting, int seed);

} // namespace test_support
