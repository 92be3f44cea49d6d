// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace workspace {

// The settings of a scroll bar, each a whole number.
struct ScrollSettings {
    int minimum = 0;
    int maximum = 0;
    int largeStep = 0;
    int smallStep = 0;

    friend bool operator==(const ScrollSettings&, const ScrollSettings&) = default;
};

// A bar over content of the given length: maximum = content − bar length, held at 0 when the
// content is shorter; the large step as given; the small step a tenth of the large step as
// stored. Each value is rounded halves to even.
[[nodiscard]] ScrollSettings scrollSettings(double contentLength, double barLength,
                                            double largeStep);

} // namespace workspace
