// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace sample_exam {

// The page as a flatbed scanner returns it: turned by a fraction of a degree and shifted by a
// few pixels, on off-white paper, with sensor noise and a few specks of dust, marked with the
// page's resolution. The same seed gives the same scan.
[[nodiscard]] QImage scanned(const QImage& page, quint32 seed, int dotsPerInch);

} // namespace sample_exam
