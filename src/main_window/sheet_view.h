// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointF>
#include <QWidget>

namespace main_window {

// The sheet view (Image1): shows a picture stretched to its own size and reports mouse presses
// in twips from its top-left corner.
class SheetView : public QWidget {
    Q_OBJECT

public:
    explicit SheetView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    [[nodiscard]] const QImage& picture() const { return m_picture; }

signals:
    void pressed(QPointF positionTwips);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    // The picture converted (and scaled, when the view is not its size) once, not at every paint.
    QPixmap m_shown;
};

} // namespace main_window
