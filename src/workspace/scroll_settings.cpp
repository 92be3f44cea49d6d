// SPDX-License-Identifier: GPL-3.0-or-later
#include "scroll_settings.h"

#include "rounding.h"

#include <algorithm>

namespace workspace {

namespace {

int rounded(double value)
{
    return static_cast<int>(roundHalfEven(value));
}

} // namespace

ScrollSettings scrollSettings(double contentLength, double barLength, double largeStep)
{
    ScrollSettings settings;
    settings.maximum = std::max(0, rounded(contentLength - barLength));
    settings.largeStep = rounded(largeStep);
    settings.smallStep = rounded(settings.largeStep / 10.0);
    return settings;
}

} // namespace workspace
