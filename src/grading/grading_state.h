// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "grading_tables.h"
#include "grid_layout.h"
#include "imaging/mark_state.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace grading {

// One answer cell of the page: sheet index + 1. The boxes hold what the teacher sees, which for
// a score can be a non-number that the table stores as empty.
struct PageCell {
    bool shown = false;
    CellGeometry geometry; // twips on the canvas
    QString scoreBox;
    QString commentBox;
    imaging::MarkState state = imaging::MarkState::Gray;
};

enum class SelectorColour { ButtonFace, FullyGraded, Current };
enum class ShiftKey { Up, Down };
enum class ZoomStep { Reduce, Enlarge };
enum class ColumnStep { Fewer, More };

// Sheet order, or look-alike answers side by side ("似た順").
enum class AnswerOrder { Sheet, Similar };

struct DisplayOptions {
    bool hideGraded = false;
    CommentDisplay comments = CommentDisplay::Hidden;
    AnswerOrder order = AnswerOrder::Sheet;
};

// The answers of a region in the order that puts look-alikes together: sheet indices (sheet
// − 1), each once.
using SimilarOrderSource = std::function<std::vector<int>(int region)>;

// What the page showed at one moment: which answers, and their marks.
struct PageSnapshot {
    int region = 0;
    int generation = 0;
    std::vector<bool> shown;
    std::vector<imaging::MarkState> marks;
    std::vector<int> order;
};

// The grading rules of one opening of the grading window, without widgets: the tables, the
// current region, the page of answer cells with their mark states, and what selecting,
// scoring, zooming and re-columning do to them. The window shows what this holds.
//
// The cells are always those of the sheets, index i for sheet i + 1, whatever order they are
// shown in: a score stays with its sheet. The order decides only where a cell stands and which
// cells a Shift range passes over.
class GradingState {
public:
    explicit GradingState(GradingTables tables);

    [[nodiscard]] const GradingTables& tables() const { return m_tables; }
    [[nodiscard]] bool hasChanges() const { return !m_tables.savesSameAs(m_loadedTables); }
    // The tables as they were last saved (or loaded).
    [[nodiscard]] const GradingTables& savedTables() const { return m_loadedTables; }
    // Marks the current tables as what is on disk.
    void markSaved() { m_loadedTables = m_tables; }

    // The region whose answers are shown, from 1; 0 before the first is chosen.
    [[nodiscard]] int currentRegion() const { return m_currentRegion; }
    [[nodiscard]] float zoomFactor() const { return m_zoomFactor; }
    [[nodiscard]] int columnCount() const { return m_columnCount; }
    [[nodiscard]] bool freshLayout() const { return m_freshLayout; }
    [[nodiscard]] bool shiftHeld() const { return m_shiftHeld; }
    [[nodiscard]] int anchorIndex() const { return m_anchorIndex; }
    [[nodiscard]] const DisplayOptions& options() const { return m_options; }
    [[nodiscard]] const std::vector<PageCell>& cells() const { return m_cells; }
    // The cells' indices in the order they stand on the page.
    [[nodiscard]] const std::vector<int>& displayOrder() const { return m_order; }
    // Where the look-alike order comes from; without a source the page keeps sheet order.
    void setSimilarOrderSource(SimilarOrderSource source) { m_similarOrder = std::move(source); }
    [[nodiscard]] const QList<SelectorColour>& selectorColours() const { return m_selectorColours; }
    [[nodiscard]] GridMetrics metrics() const;

    // Page build: makes region selectorIndex + 1 current and lays out its answers, hiding graded
    // ones when asked; every mark follows its score again.
    void buildPage(int selectorIndex);
    // Extract build: the current region's answers whose score text is exactly `wanted`.
    void buildExtract(const QString& wanted);

    void setShiftHeld(bool held) { m_shiftHeld = held; }
    // A click on answer `index`: a Shift range when Shift is held over the canvas, the click
    // carries Shift and the anchor is selected; otherwise select, or deselect to its score.
    void click(int index, ShiftKey shift);
    void selectAll();
    void selectUnscored();
    void clearSelection();
    // The shown answers among `wanted` (one flag per sheet) become the selection, and only
    // they: every other mark follows its score, so that a preset given next reaches no other.
    void selectOnly(const std::vector<bool>& wanted);

    // The teacher's typing into a score or comment box of the current region. These four
    // return what they changed in the tables.
    ChangeList editScore(int index, const QString& text);
    ChangeList editComment(int index, const QString& text);

    // A palette preset given to every selected answer, hidden ones included; a score then
    // rebuilds the page, a comment leaves the marks as they are.
    ChangeList applyScore(const QString& preset);
    ChangeList applyComment(const QString& preset);

    // Tells the page builds apart, so that a change taken back can tell whether the page it
    // changed is still the one shown; a restored page is again the one it was.
    [[nodiscard]] int pageGeneration() const { return m_pageGeneration; }
    [[nodiscard]] PageSnapshot snapshot() const;
    // Shows the page as it was at the snapshot, with the texts the tables now hold.
    void restorePage(const PageSnapshot& snapshot);
    // Puts changes taken from elsewhere (undo, redo, a restored journal) into the tables and
    // the boxes of the page; the marks and the page stay as they are.
    void applyChanges(const ChangeList& changes);

    // The check boxes' values; the page is rebuilt when a region is current.
    void setOptions(const DisplayOptions& options);
    void zoom(ZoomStep step);
    // The column buttons with the column box's text; the box's new text, or nothing when the
    // button does nothing.
    [[nodiscard]] std::optional<QString> stepColumns(ColumnStep step, const QString& boxText);

private:
    void rebuildForLayoutChange();
    void colourSelectors();
    void placeCells(const std::vector<bool>& shown);
    void setOrder(std::vector<int> order);
    [[nodiscard]] std::vector<int> orderForPage() const;
    [[nodiscard]] imaging::MarkState stateForScoreBox(int index) const;

    GradingTables m_tables;
    GradingTables m_loadedTables;
    int m_currentRegion = 0;
    float m_zoomFactor = 1.0f;
    int m_columnCount = 1;
    bool m_freshLayout = true;
    bool m_shiftHeld = false;
    int m_anchorIndex = 0;
    int m_pageGeneration = 0;
    int m_lastGeneration = 0;
    DisplayOptions m_options;
    std::vector<PageCell> m_cells;
    std::vector<int> m_order; // cell indices as they stand
    std::vector<int> m_rank;  // each cell's place in m_order
    SimilarOrderSource m_similarOrder;
    QList<SelectorColour> m_selectorColours;
};

// The comment as stored: ASCII and full-width commas become "、", so that the comment file's
// fields stay apart.
[[nodiscard]] QString storedComment(const QString& typed);

} // namespace grading
