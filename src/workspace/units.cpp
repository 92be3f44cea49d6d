// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

#include "rounding.h"

#include <cmath>

namespace workspace {

int twipsToPixels(double twips)
{
    return static_cast<int>(roundHalfEven(twips / kTwipsPerPixel));
}

QRect twipsToPixels(const QRectF& twips)
{
    return {twipsToPixels(twips.left()), twipsToPixels(twips.top()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}

QSize twipsToPixels(const QSizeF& twips)
{
    return {twipsToPixels(twips.width()), twipsToPixels(twips.height())};
}

int himetricFromPixels(int pixels)
{
    return static_cast<int>(std::lround(pixels * 2540.0 / 96.0));
}

double naturalTwips(int pixels)
{
    return himetricFromPixels(pixels) / 1.755;
}

QSizeF naturalTwipsSize(QSize pixels)
{
    return {naturalTwips(pixels.width()), naturalTwips(pixels.height())};
}

} // namespace workspace
