#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace grading {

PictureBox::PictureBox(Stretch stretch, QWidget* parent)
    : QWidget(parent)
    , m_stretch(stretch) {}

void PictureBox::setPicture(const QPixmap& picture) {
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_picture.size() == size() || m_stretch == Stretch::Plain) {
        painter.drawPixmap(rect(), m_picture);
        return;
    }
    if (m_scaled.size() != size())
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(0, 0, m_scaled);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->modifiers());
}

} // namespace grading
