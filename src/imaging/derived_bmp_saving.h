// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/expected.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

#include <functional>

namespace imaging {

// Saves an image that a step makes by the hundred from other files (a sheet from its scan, a
// cut-out from its sheet) as an uncompressed BMP. Like saveBmp it writes a temporary file and
// renames it into place, so no half-written file is ever seen; unlike saveBmp it does not wait
// for the disk to confirm the bytes. That wait costs more than the encoding on a 200-dpi sheet,
// and such an image is made again by running its step.
workspace::Status saveDerivedBmp(const QImage& image, const QString& path);

// The same for the bytes of a file already encoded.
workspace::Status writeDerivedFile(const QString& path, const QByteArray& bytes);

// The same for a file written piece by piece: `write` puts the whole content on the device and
// returns false when the device refuses a write.
workspace::Status writeDerivedFile(const QString& path,
                                   const std::function<bool(QIODevice&)>& write);

} // namespace imaging
