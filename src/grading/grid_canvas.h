// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "answer_cell.h"
#include "imaging/mark_state.h"
#include "workspace/workspace_paths.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

namespace grading {

class CutoutCache;
class GradingState;

// The answer canvas (Picture2): one answer cell per sheet, created once, shown, placed and
// filled from the state's page. It reports clicks on answers, the teacher's typing into the
// boxes, and the keys pressed while it has the focus itself (not one of its boxes).
class GridCanvas : public QWidget {
    Q_OBJECT

public:
    using Swatches = std::array<QPixmap, 3>; // gray, blue, yellow

    GridCanvas(int sheetCount, Swatches swatches, QWidget* parent);

    [[nodiscard]] const AnswerCell& cell(int index) const { return m_cells[std::size_t(index)]; }

    // The whole page: visibility, places, texts, names, marks, and the cut-outs of the shown
    // cells; then the canvas takes its content's size and the keyboard focus.
    void showPage(const GradingState& state, CutoutCache& cutouts,
                  const workspace::Workspace& workspace);
    void showMarks(const GradingState& state);
    void showComments(const GradingState& state);

    // True while the page's boxes are being filled; their changes are not the teacher's edits.
    [[nodiscard]] bool gridBuilding() const { return m_gridBuilding; }

    // The widget that scrolls when the mouse wheel turns over the canvas.
    void setWheelTarget(QWidget* target) { m_wheelTarget = target; }

signals:
    void answerClicked(int index, Qt::KeyboardModifiers modifiers);
    void scoreEdited(int index, const QString& text);
    void commentEdited(int index, const QString& text);
    void keyDown(int key);
    void keyUp(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    [[nodiscard]] const QPixmap& swatch(imaging::MarkState state) const;
    void followInTabOrder(const std::vector<int>& order);
    [[nodiscard]] bool isOwnKey(const QKeyEvent* event) const;

    Swatches m_swatches;
    std::vector<AnswerCell> m_cells;
    std::vector<int> m_tabOrder; // the cell order Tab follows
    bool m_gridBuilding = false;
    QWidget* m_wheelTarget = nullptr;
};

} // namespace grading
