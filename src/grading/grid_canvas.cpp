// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid_canvas.h"

#include "grading_state.h"
#include "picture_box.h"
#include "workspace/units.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace grading {

namespace {

// Room below the last row, so that it clears the horizontal bar when scrolled to the end.
constexpr int kContentMargin = 40;

bool isCanvasKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: return true;
    default: return key >= Qt::Key_F1 && key <= Qt::Key_F7;
    }
}

} // namespace

GridCanvas::GridCanvas(int sheetCount, Swatches swatches, QWidget* parent)
    : QWidget(parent)
    , m_swatches(std::move(swatches))
{
    setObjectName(u"Picture2"_s);
    setFocusPolicy(Qt::ClickFocus);
    m_cells.reserve(std::size_t(sheetCount));
    m_tabOrder.resize(std::size_t(sheetCount));
    std::iota(m_tabOrder.begin(), m_tabOrder.end(), 0);
    for (int index = 0; index < sheetCount; ++index) {
        const AnswerCell& cell = m_cells.emplace_back(this, index);
        connect(cell.image(), &PictureBox::clicked, this,
                [this, index](Qt::KeyboardModifiers modifiers) {
                    emit answerClicked(index, modifiers);
                });
        connect(cell.scoreBox(), &QLineEdit::textChanged, this, [this, index](const QString& text) {
            if (!m_gridBuilding)
                emit scoreEdited(index, text);
        });
        connect(cell.commentBox(), &QLineEdit::textChanged, this,
                [this, index](const QString& text) {
                    if (!m_gridBuilding)
                        emit commentEdited(index, text);
                });
    }
}

const QPixmap& GridCanvas::swatch(imaging::MarkState state) const
{
    return m_swatches[std::size_t(state)];
}

void GridCanvas::followInTabOrder(const std::vector<int>& order)
{
    // Tab goes from an answer's boxes to those of the answer that stands next, not of the next
    // sheet, when the answers stand in another order.
    if (order == m_tabOrder || order.size() != m_cells.size())
        return;
    QWidget* previous = nullptr;
    for (int index : order) {
        const AnswerCell& cell = m_cells[std::size_t(index)];
        if (previous)
            setTabOrder(previous, cell.scoreBox());
        setTabOrder(cell.scoreBox(), cell.commentBox());
        previous = cell.commentBox();
    }
    m_tabOrder = order;
}

void GridCanvas::showPage(const GradingState& state, CutoutCache& cutouts,
                          const workspace::Workspace& workspace)
{
    followInTabOrder(state.displayOrder());
    m_gridBuilding = true;
    setUpdatesEnabled(false);
    const CommentDisplay comments = state.options().comments;
    QPointF extent;
    const std::vector<PageCell>& page = state.cells();
    for (std::size_t index = 0; index < page.size(); ++index) {
        const PageCell& shown = page[index];
        AnswerCell& cell = m_cells[index];
        const int sheet = int(index) + 1;
        cell.setShown(shown.shown, comments);
        if (shown.shown) {
            cell.place(shown.geometry);
            cell.setPicture(cutouts, workspace.path(workspace::paths::cutoutImage(
                                         state.currentRegion(), sheet)));
            const QPointF corner = cellExtent(shown.geometry, comments);
            extent = QPointF(std::max(extent.x(), corner.x()), std::max(extent.y(), corner.y()));
        } else {
            cell.clearPicture();
        }
        cell.setScoreText(shown.scoreBox);
        cell.setCommentText(shown.commentBox);
        cell.setName(state.tables().name(sheet));
        cell.setMark(shown.state, swatch(shown.state));
    }
    resize(workspace::twipsToPixels(extent.x()) + kContentMargin,
           workspace::twipsToPixels(extent.y()) + kContentMargin);
    setUpdatesEnabled(true);
    m_gridBuilding = false;
    setFocus();
}

void GridCanvas::showMarks(const GradingState& state)
{
    const std::vector<PageCell>& page = state.cells();
    for (std::size_t index = 0; index < page.size(); ++index)
        m_cells[index].setMark(page[index].state, swatch(page[index].state));
}

void GridCanvas::showComments(const GradingState& state)
{
    m_gridBuilding = true;
    const std::vector<PageCell>& page = state.cells();
    for (std::size_t index = 0; index < page.size(); ++index)
        m_cells[index].setCommentText(page[index].commentBox);
    m_gridBuilding = false;
}

bool GridCanvas::isOwnKey(const QKeyEvent* event) const
{
    // A key that one of the boxes left unhandled arrives here as well; only keys pressed while
    // the canvas itself has the focus belong to it.
    return window()->focusWidget() == this && isCanvasKey(event->key());
}

void GridCanvas::keyPressEvent(QKeyEvent* event)
{
    if (!isOwnKey(event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit keyDown(event->key());
}

void GridCanvas::keyReleaseEvent(QKeyEvent* event)
{
    if (!isOwnKey(event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    emit keyUp(event->key());
}

void GridCanvas::wheelEvent(QWheelEvent* event)
{
    if (m_wheelTarget)
        QCoreApplication::sendEvent(m_wheelTarget, event);
    else
        QWidget::wheelEvent(event);
}

} // namespace grading
