// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_view.h"

#include "workspace/units.h"

#include <QMouseEvent>
#include <QPainter>

namespace main_window {

SheetView::SheetView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
}

void SheetView::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_shown = QPixmap();
    update();
}

void SheetView::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    if (m_shown.size() != size()) {
        m_shown = QPixmap::fromImage(
            m_picture.size() == size()
                ? m_picture
                : m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_shown);
}

void SheetView::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->position() * workspace::kTwipsPerPixel);
}

} // namespace main_window
