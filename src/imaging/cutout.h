// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/region_rect.h"

#include <QImage>

namespace imaging {

class BmpRows;

// The answer of one region cut out of a sheet, 1 : 1: an image of |left − right| × |bottom − top|
// pixels whose top-left pixel is the sheet's pixel (left, top). Whatever lies outside the sheet
// is white. A region without area, or of more than kMaxPicturePixels (coordinates at the ends of
// their 16-bit range make a region of four billion), gives a null image. A 24-bit sheet (a BMP read
// in place, or a QImage in Format_BGR888) gives a 24-bit cut-out, anything else 32-bit RGB.
[[nodiscard]] QImage cutOut(const QImage& sheet, const workspace::RegionRect& region);
[[nodiscard]] QImage cutOut(const BmpRows& sheet, const workspace::RegionRect& region);

// The bytes saveDerivedBmp writes for cutOut(sheet, region), made straight from the sheet's rows
// with one copy of each pixel; empty where cutOut gives a null image.
[[nodiscard]] QByteArray cutOutBmp(const BmpRows& sheet, const workspace::RegionRect& region);

} // namespace imaging
