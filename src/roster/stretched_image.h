// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace roster {

// An image element that stretches its picture over its whole box, as the row images, the frames
// behind the name boxes and the hidden colour swatches do. Mouse presses pass through to nothing:
// only a name box selects a row.
class StretchedImage : public QWidget {
    Q_OBJECT

public:
    explicit StretchedImage(QWidget* parent = nullptr);

    void setPicture(QImage picture);
    [[nodiscard]] const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

} // namespace roster
