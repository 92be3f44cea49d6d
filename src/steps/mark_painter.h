// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mark_layout.h"

#include <QFont>
#include <QImage>
#include <QList>

namespace steps {

// The typeface of the marks, bold, at the given size in points.
[[nodiscard]] QFont markFont(double pointSize);

// Draws the texts in red (255, 0, 0) on a transparent background, each with the top-left
// corner of its line at its point. Point sizes are taken at 96 dots per inch, so the image's
// resolution is set to 96 dpi first.
void paintMarks(QImage& image, const QList<MarkText>& marks);

} // namespace steps
