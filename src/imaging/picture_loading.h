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
// 208 MB) decode; kMaxPicturePixels still guards against absurd sizes. Quiets the PDF renderer's
// diagnostics. Called once at start-up.
void configureImageReading();

// Which picture of a file to read, and how.
struct PictureChoice {
    // The picture's place in a file of several (the pages of a TIFF), from 0.
    int index = 0;
    // Whether a picture that says how it was held (a phone photo's EXIF orientation) is turned
    // upright. A picture inside a PDF is shown as it is stored, whatever it says.
    enum class Orientation { Upright, AsStored } orientation = Orientation::Upright;
};

// Reads a picture from a seekable device, refusing what would show wrong or exhaust memory: an
// unknown format, more than kMaxPicturePixels pixels, and a JPEG or BMP cut short (Qt decodes
// those without an error, giving grey or garbage rows). Messages name the picture by `name`.
[[nodiscard]] workspace::Expected<QImage> readPicture(QIODevice& device, const QString& name,
                                                      const PictureChoice& choice = {});

// How many pictures a file of several holds (the pages of a TIFF); 1 for any other picture, 0
// when the device holds none that can be read.
[[nodiscard]] int pictureCount(QIODevice& device);
// The same for a picture held in memory.
[[nodiscard]] workspace::Expected<QImage> decodePicture(const QByteArray& bytes,
                                                        const QString& name);
// The same for a picture file, or why it cannot be opened.
[[nodiscard]] workspace::Expected<QImage> loadPicture(const QString& path);

} // namespace imaging
