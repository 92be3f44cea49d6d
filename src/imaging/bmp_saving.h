#pragma once

#include "workspace/expected.h"

#include <QImage>
#include <QString>

namespace imaging {

// Saves the image as an uncompressed BMP through a temporary file renamed into place.
workspace::Status saveBmp(const QImage& image, const QString& path);

} // namespace imaging
