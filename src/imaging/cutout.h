#pragma once

#include "workspace/region_rect.h"

#include <QImage>

namespace imaging {

// The answer of one region cut out of a sheet, 1 : 1: an image of |left − right| × |bottom − top|
// pixels whose top-left pixel is the sheet's pixel (left, top). Whatever lies outside the sheet
// is white. A region without area gives a null image. A 24-bit sheet (Format_BGR888, as the
// workspace's BMP files decode) gives a 24-bit cut-out, anything else 32-bit RGB.
[[nodiscard]] QImage cutOut(const QImage& sheet, const workspace::RegionRect& region);

} // namespace imaging
