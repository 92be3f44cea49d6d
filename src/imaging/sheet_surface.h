// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QSizeF>

namespace imaging {

// A sheet at its natural size, as the main window holds the shown sheet. The natural size in
// twips follows the image sizing rule, which makes the surface a few pixels wider and taller
// than the picture; the picture sits at the top-left and the excess is white.
class SheetSurface {
public:
    SheetSurface() = default;
    [[nodiscard]] static SheetSurface fromPicture(const QImage& picture);
    // The surface's size in pixels for a picture of the given size.
    [[nodiscard]] static QSize surfacePixels(QSize picturePixels);

    [[nodiscard]] bool isNull() const { return m_image.isNull(); }
    // The surface's pixels, 32-bit RGB.
    [[nodiscard]] const QImage& image() const { return m_image; }
    [[nodiscard]] QImage& image() { return m_image; }
    // Width and height in twips; the divisor of the display scale.
    [[nodiscard]] QSizeF sizeTwips() const { return m_sizeTwips; }
    // The picture's own size in pixels.
    [[nodiscard]] QSize pictureSize() const { return m_pictureSize; }

private:
    QImage m_image;
    QSizeF m_sizeTwips;
    QSize m_pictureSize;
};

// The whole surface scaled onto an image of the given pixel size: the display surface.
[[nodiscard]] QImage renderScaled(const SheetSurface& surface, QSize displayPixels);

} // namespace imaging
