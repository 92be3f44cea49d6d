// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace imaging {

// The bytes of the 24-bit BMP that encodeBmp would write for a JPEG scan, decoded with
// libjpeg-turbo straight into the BMP's bottom-up rows. Going through QImage costs a second
// pass over every pixel (32-bit pixels turned into 24-bit rows) and a second sheet-sized buffer,
// which is a third of the time of an import. Nothing unless the JPEG decodes cleanly to the end
// (no error, no warning, an end marker) in a colour space with a direct BGR output, within
// kMaxPicturePixels: the caller then goes through loadPicture, which accepts or refuses the file
// with its own reasons.
[[nodiscard]] std::optional<QByteArray> jpegToBmp(QByteArrayView jpeg);

} // namespace imaging
