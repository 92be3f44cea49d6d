// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>

#include <functional>

namespace imaging {

// Row y of a picture, counted from the top, as blue, green and red bytes.
using BgrRowAt = std::function<const uchar*(int y)>;

// The picture of the given size as a baseline JPEG at the given quality (1 to 100), with full
// colour resolution (4:4:4): the usual halving of the colour planes smears thin red strokes
// into pink. The rows are read in place, top to bottom, and never copied whole. Empty when the
// size is empty or libjpeg-turbo fails.
[[nodiscard]] QByteArray encodeJpeg(QSize size, const BgrRowAt& rowAt, int quality);

} // namespace imaging
