// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_surface.h"

#include "workspace/units.h"

#include <QPainter>

namespace imaging {

SheetSurface SheetSurface::fromPicture(const QImage& picture)
{
    SheetSurface surface;
    if (picture.isNull())
        return surface;
    surface.m_pictureSize = picture.size();
    surface.m_sizeTwips = workspace::naturalTwipsSize(picture.size());
    surface.m_image = QImage(surfacePixels(picture.size()), QImage::Format_RGB32);
    surface.m_image.fill(Qt::white);
    QPainter painter(&surface.m_image);
    painter.drawImage(0, 0, picture);
    return surface;
}

QSize SheetSurface::surfacePixels(QSize picturePixels)
{
    return workspace::twipsToPixels(workspace::naturalTwipsSize(picturePixels))
        .expandedTo(picturePixels);
}

QImage renderScaled(const SheetSurface& surface, QSize displayPixels)
{
    if (displayPixels.isEmpty())
        return {};
    if (surface.isNull()) {
        QImage blank(displayPixels, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }
    return surface.image()
        .scaled(displayPixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace imaging
