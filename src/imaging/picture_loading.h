// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QIODevice>
#include <QImage>
#include <QString>

namespace imaging {

// Pictures above this many pixels are refused before decoding: a real scan of an A3 sheet at
// 600 dpi has about 70 million, and a decompression bomb can claim billions.
inline constexpr qint64 kMaxPicturePixels = 100'000'000;

// Raises Qt's image allocation limit so that large scans (a 600-dpi colour B4 needs about
// 208 MB) decode; kMaxPicturePixels still guards against absurd sizes. Called once at start-up.
void configureImageReading();

// Reads a picture from a seekable device, refusing what would show wrong or exhaust memory: an
// unknown format, more than kMaxPicturePixels pixels, and a JPEG or BMP cut short (Qt decodes
// those without an error, giving grey or garbage rows). Messages name the picture by `name`.
[[nodiscard]] workspace::Expected<QImage> readPicture(QIODevice& device, const QString& name);
// The same for a picture held in memory.
[[nodiscard]] workspace::Expected<QImage> decodePicture(const QByteArray& bytes,
                                                        const QString& name);
// The same for a picture file, or why it cannot be opened.
[[nodiscard]] workspace::Expected<QImage> loadPicture(const QString& path);

} // namespace imaging
