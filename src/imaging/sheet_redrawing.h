// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet_pixels.h"

#include <QByteArray>
#include <QSize>
#include <QTransform>

namespace imaging {

// The 24-bit BMP (bottom-up, as encodeBmp writes it) of the sheet redrawn onto a page of
// pageSize: every pixel of the page takes the scan's colour at referenceToScan of it, blended
// bilinearly from its four neighbours; what falls outside the scan is white.
[[nodiscard]] QByteArray alignedBmp(const SheetPixels& sheet, const QTransform& referenceToScan,
                                    QSize pageSize);

} // namespace imaging
