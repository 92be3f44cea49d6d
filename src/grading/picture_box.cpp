// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace grading {

PictureBox::PictureBox(Stretch stretch, QWidget* parent)
    : QWidget(parent)
    , m_stretch(stretch)
{
}

void PictureBox::setPicture(const QPixmap& picture)
{
    m_source = nullptr;
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void PictureBox::setPictureSource(std::function<QPixmap()> source)
{
    m_source = std::move(source);
    update();
}

const QPixmap& PictureBox::picture() const
{
    if (m_source) {
        const QPixmap picture = m_source();
        m_source = nullptr;
        if (picture.cacheKey() != m_picture.cacheKey()) {
            m_picture = picture;
            m_scaled = QPixmap();
        }
    }
    return m_picture;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    const QPixmap& shown = picture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    if (shown.size() == size() || m_stretch == Stretch::Plain) {
        painter.drawPixmap(rect(), shown);
        return;
    }
    if (m_scaled.size() != size())
        m_scaled = shown.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(0, 0, m_scaled);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->modifiers());
}

} // namespace grading
