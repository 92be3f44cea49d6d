// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QSizeF>

namespace steps {

// The paper a scan of the given pixel size was made from, in points (1/72 inch), portrait or
// landscape as the scan lies. The resolution comes from the picture file (pixels per metre);
// 0 and 96 dots per inch, which the workspace's own BMP files always carry, say nothing about
// the scan. Without a resolution, A4, JIS B4, A3 and JIS B5 are tried at 200, 300, 150, 400
// and 600 dots per inch, in that order; the first paper whose size the scan matches within 2 %
// wins. A scan that fits no paper gets a page of its own size at its resolution, or 200 dots
// per inch.
[[nodiscard]] QSizeF paperSizePoints(QSize scanPixels, int pixelsPerMetre);

} // namespace steps
