// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutout_cache.h"
#include "grading_history.h"
#include "grading_window_geometry.h"
#include "question_ink_cache.h"
#include "workspace/workspace_paths.h"

#include <QList>
#include <QWidget>

class QScrollBar;

namespace grading {

class CommandPanel;
class GridCanvas;
class RegionSelector;
class ScorePalette;

// The grading window (Form2, "採点画面"): the region selectors at the left, the answer canvas
// with its scroll bars, the command panel at the right, and the score palette (Form3) it owns.
// The files are written by "採点終了"; until then every change goes to the journal, and Ctrl+Z,
// Ctrl+Y and Ctrl+Shift+Z undo and redo the teacher's actions. Closing it any other way after
// changes asks whether to save, discard or go back.
class GradingWindow : public QWidget {
    Q_OBJECT

public:
    GradingWindow(workspace::Workspace workspace, GradingTables tables, const JournalStart& journal,
                  QWidget* parent = nullptr);

    [[nodiscard]] const GradingState& state() const { return m_state; }
    [[nodiscard]] GradingHistory& history() { return m_history; }
    [[nodiscard]] ScorePalette* scorePalette() const { return m_palette; }
    [[nodiscard]] GridCanvas* canvas() const { return m_canvas; }
    [[nodiscard]] const CutoutCache& cutouts() const { return m_cutouts; }
    [[nodiscard]] const QuestionInkCache& questionInk() const { return m_questionInk; }

    // Places the palette beside the window and shows both.
    void showWithPalette();

signals:
    // The window has closed, saved or not.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createSelectors();
    void connectPanel();
    void connectCanvas();
    void createHistoryActions();
    void applyGeometry();

    void renderPage();
    void renderSelectors();
    void placeCanvas();
    void applyDisplayOptions();
    void stepColumns(ColumnStep step);
    void selectBlankAnswers();
    void onCanvasKey(int key);
    void returnKeyboardToGrid();
    void finishGrading();
    bool save();

    workspace::Workspace m_workspace;
    GradingHistory m_history;
    GradingState& m_state;
    CutoutCache m_cutouts;
    QuestionInkCache m_questionInk;
    GradingWindowGeometry m_geometry;

    QWidget* m_strip = nullptr;       // Picture1
    QScrollBar* m_stripBar = nullptr; // VScroll1
    QWidget* m_canvasArea = nullptr;
    GridCanvas* m_canvas = nullptr;        // Picture2
    QScrollBar* m_canvasBar = nullptr;     // VScroll2
    QScrollBar* m_horizontalBar = nullptr; // HScroll1
    CommandPanel* m_panel = nullptr;       // Picture3
    QList<RegionSelector*> m_selectors;    // Label1
    ScorePalette* m_palette = nullptr;     // Form3
};

} // namespace grading
