// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grid_layout.h"
#include "imaging/mark_state.h"

#include <QPixmap>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace grading {

class CutoutCache;
class PictureBox;

// The six controls of one answer cell on the canvas: picKaitou, picHaikei, txtPoint, txtMemo,
// Label2 and Label3, each carrying its control index (sheet − 1) in the property "index". The
// setters change a control only when its value differs, so that a rebuild of 500 cells touches
// only what moved.
class AnswerCell {
public:
    AnswerCell(QWidget* canvas, int index);

    [[nodiscard]] PictureBox* image() const { return m_image; }
    [[nodiscard]] PictureBox* frame() const { return m_frame; }
    [[nodiscard]] QLineEdit* scoreBox() const { return m_scoreBox; }
    [[nodiscard]] QLineEdit* commentBox() const { return m_commentBox; }

    void setShown(bool shown, CommentDisplay comments);
    void place(const CellGeometry& geometry);
    // The cut-out, decoded through the cache when the answer is first painted.
    void setPicture(CutoutCache& cutouts, const QString& path);
    void clearPicture();
    void setScoreText(const QString& text);
    void setCommentText(const QString& text);
    void setName(const QString& name);
    void setMark(imaging::MarkState state, const QPixmap& swatch);

private:
    PictureBox* m_frame = nullptr;
    PictureBox* m_image = nullptr;
    QLineEdit* m_scoreBox = nullptr;
    QLabel* m_unitLabel = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLineEdit* m_commentBox = nullptr;
};

} // namespace grading
