// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>

namespace grading {

// A picture stretched over the whole box: an answer image, a frame showing its swatch, or a
// hidden swatch holder. It reports left clicks and carries a tag word, in which a frame keeps
// its mark state ("gray", "blue", "yellow").
class PictureBox : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString tag READ tag WRITE setTag)

public:
    // Smooth keeps handwriting legible when an answer is zoomed; a solid swatch needs no care.
    enum class Stretch { Plain, Smooth };

    explicit PictureBox(Stretch stretch, QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    // A picture produced only when the box is first painted or asked for it, so that a page of
    // 500 answers decodes only those the teacher scrolls to.
    void setPictureSource(std::function<QPixmap()> source);
    [[nodiscard]] const QPixmap& picture() const;

    void setTag(const QString& tag) { m_tag = tag; }
    [[nodiscard]] const QString& tag() const { return m_tag; }

signals:
    void clicked(Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Stretch m_stretch;
    mutable std::function<QPixmap()> m_source;
    mutable QPixmap m_picture;
    // The picture scaled to the box once, not at every paint.
    mutable QPixmap m_scaled;
    QString m_tag;
};

} // namespace grading
