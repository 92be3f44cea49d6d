// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

namespace imaging {

// The orientation a JPEG's EXIF data gives (1 to 8, as the tag counts them; 1 is upright), read
// from the markers before the picture data without decoding anything. 1 when there is no EXIF
// orientation or it cannot be read: the picture is then taken as it is stored.
[[nodiscard]] int exifOrientation(QByteArrayView jpeg);

} // namespace imaging
