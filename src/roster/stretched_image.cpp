// SPDX-License-Identifier: GPL-3.0-or-later
#include "stretched_image.h"

#include <QPainter>

namespace roster {

StretchedImage::StretchedImage(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StretchedImage::setPicture(QImage picture)
{
    m_picture = std::move(picture);
    update();
}

void StretchedImage::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_picture);
}

} // namespace roster
