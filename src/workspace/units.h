// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>

namespace workspace {

// Window layouts are designed in twips (1/1440 inch). At 96 dots per inch 15 twips make a pixel.
inline constexpr double kTwipsPerPixel = 15.0;
// Several layouts and the press conversion on the sheet view divide by 15.1 instead; using 15
// there would move stored regions and window edges by a fraction of a percent.
inline constexpr double kTwipsPerPixelLayout = 15.1;
// The grading grid's row pitch for tall answers multiplies by 15.5.
inline constexpr double kTwipsPerPixelRowPitch = 15.5;

// A length in twips as whole screen pixels (÷ 15, halves to even).
[[nodiscard]] int twipsToPixels(double twips);
[[nodiscard]] QRect twipsToPixels(const QRectF& twips);
[[nodiscard]] QSize twipsToPixels(const QSizeF& twips);

// A picture's size in hundredths of a millimetre as the picture reports it: pixels × 2540 / 96,
// rounded to the nearest whole number (a 2339-pixel side gives 61886).
[[nodiscard]] int himetricFromPixels(int pixels);

// The image sizing rule: a picture shown or laid out at its natural size takes its size in
// hundredths of a millimetre divided by 1.755 as its size in twips, about 1.00506 × 15 twips a
// pixel, so it comes out a few pixels larger than the image.
[[nodiscard]] double naturalTwips(int pixels);
[[nodiscard]] QSizeF naturalTwipsSize(QSize pixels);

} // namespace workspace
