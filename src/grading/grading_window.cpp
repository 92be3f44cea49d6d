// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading_window.h"

#include "command_panel.h"
#include "grid_canvas.h"
#include "region_selector.h"
#include "score_palette.h"
#include "widgets/busy_pointer.h"
#include "workspace/limits.h"
#include "workspace/units.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using imaging::MarkState;

namespace grading {

namespace {

// Room below the last region selector.
constexpr double kStripMarginTwips = 100;

QRectF selectorTwips(int index)
{
    return {90, 250.0 * index + 100, 525, 195};
}

QScrollBar* makeScrollBar(Qt::Orientation orientation, const QString& objectName, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(objectName);
    return bar;
}

} // namespace

GradingWindow::GradingWindow(workspace::Workspace workspace, GradingTables tables,
                             const JournalStart& journal, QWidget* parent)
    : QWidget(parent)
    , m_workspace(std::move(workspace))
    , m_history(std::move(tables), journal)
    , m_state(m_history.state())
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"採点画面"_s);
    createControls();
    applyGeometry();
    createSelectors();
    m_state.setSimilarOrderSource([this](int region) {
        const widgets::BusyPointer busy;
        return m_questionInk.question(m_workspace, region, m_state.tables().sheetCount())
            .similarOrder;
    });
    connectPanel();
    connectCanvas();

    m_palette = new ScorePalette(this);
    connect(m_palette, &ScorePalette::scoreRequested, this, [this](const QString& preset) {
        m_history.applyScore(preset);
        if (m_state.currentRegion() != 0)
            renderPage();
        returnKeyboardToGrid();
    });
    connect(m_palette, &ScorePalette::commentRequested, this, [this](const QString& preset) {
        m_history.applyComment(preset);
        m_canvas->showComments(m_state);
        returnKeyboardToGrid();
    });
    createHistoryActions();

    connect(&m_history, &GradingHistory::pageReplayed, this, &GradingWindow::renderPage);
    connect(&m_history, &GradingHistory::journalFailed, this, [this](const QString& message) {
        QMessageBox::warning(this, workspace::applicationTitle(),
                             message
                                 + u"\n採点の変更は記録できません。"
                                   u"「採点終了」で保存するまで、この画面の中にだけあります。"_s);
    });
    // Keystrokes are one step of the history until the focus moves to another box or control.
    // Bound to the history, which goes before the widgets whose deletion moves the focus.
    connect(qApp, &QApplication::focusChanged, &m_history, [this] { m_history.endTyping(); });
}

void GradingWindow::createHistoryActions()
{
    auto* undo = new QAction(u"元に戻す"_s, this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* redo = new QAction(u"やり直す"_s, this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo, &QAction::triggered, &m_history.undoStack(), &QUndoStack::undo);
    connect(redo, &QAction::triggered, &m_history.undoStack(), &QUndoStack::redo);
    // The keys work while the palette is the active window too.
    for (QAction* action : {undo, redo}) {
        addAction(action);
        m_palette->addAction(action);
    }
}

void GradingWindow::returnKeyboardToGrid()
{
    // A click on the palette made it the active window; the keys belong to the grid.
    activateWindow();
    m_canvas->setFocus();
}

void GradingWindow::createControls()
{
    m_strip = new QWidget(this);
    m_strip->setObjectName(u"Picture1"_s);
    m_stripBar = makeScrollBar(Qt::Vertical, u"VScroll1"_s, this);

    // The canvas is larger than the window; this area clips it beside the strip and the panel.
    m_canvasArea = new QWidget(this);
    m_panel = new CommandPanel(this);
    m_canvas = new GridCanvas(m_state.tables().sheetCount(),
                              {m_panel->swatch(MarkState::Gray), m_panel->swatch(MarkState::Blue),
                               m_panel->swatch(MarkState::Yellow)},
                              m_canvasArea);
    m_canvasBar = makeScrollBar(Qt::Vertical, u"VScroll2"_s, this);
    m_horizontalBar = makeScrollBar(Qt::Horizontal, u"HScroll1"_s, this);
    m_canvas->setWheelTarget(m_canvasBar);
    m_panel->raise();

    connect(m_stripBar, &QScrollBar::valueChanged, this,
            [this](int value) { m_strip->move(0, kScrolledTop - value); });
    connect(m_canvasBar, &QScrollBar::valueChanged, this, &GradingWindow::placeCanvas);
    connect(m_horizontalBar, &QScrollBar::valueChanged, this, &GradingWindow::placeCanvas);
}

void GradingWindow::applyGeometry()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    m_geometry = gradingWindowGeometry(QSizeF(screen.size()) * workspace::kTwipsPerPixel,
                                       style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    move(screen.topLeft() + m_geometry.window.topLeft());
    resize(m_geometry.window.size());
    m_panel->setGeometry(m_geometry.panel);
    m_strip->setGeometry(m_geometry.strip);
    m_stripBar->setGeometry(m_geometry.stripBar);
    m_canvasArea->setGeometry(m_geometry.canvasArea);
    m_canvasBar->setGeometry(m_geometry.canvasBar);
    m_horizontalBar->setGeometry(m_geometry.horizontalBar);
    for (QScrollBar* bar : {m_stripBar, m_canvasBar}) {
        bar->setPageStep(m_geometry.verticalLargeStep);
        bar->setSingleStep(m_geometry.verticalSmallStep);
    }
    m_horizontalBar->setPageStep(m_geometry.horizontalLargeStep);
    m_horizontalBar->setSingleStep(m_geometry.horizontalSmallStep);
    // Nothing to scroll until a region's page is built.
    m_canvas->resize(0, 0);
    m_canvasBar->setMaximum(0);
    m_horizontalBar->setMaximum(0);
    placeCanvas();
}

void GradingWindow::createSelectors()
{
    const int regionCount = m_state.tables().regionCount();
    for (int index = 0; index < regionCount; ++index) {
        auto* selector = new RegionSelector(index + 1, m_strip);
        QRect place = workspace::twipsToPixels(selectorTwips(index));
        // "問１００" is wider than the design's 525 twips; the caption must stay legible.
        place.setWidth(std::max(place.width(), selector->sizeHint().width()));
        selector->setGeometry(place);
        connect(selector, &RegionSelector::clicked, this, [this, index] {
            m_state.buildPage(index);
            renderPage();
        });
        m_selectors.append(selector);
    }
    const double bottom =
        regionCount > 0 ? selectorTwips(regionCount - 1).bottom() + kStripMarginTwips : 0;
    m_strip->resize(m_strip->width(), workspace::twipsToPixels(bottom));
    m_stripBar->setMaximum(scrollMaximum(m_strip->height(), m_stripBar->height()));
    renderSelectors();
}

void GradingWindow::connectPanel()
{
    const CommandPanel::Controls& controls = m_panel->controls();
    const auto onMarks = [this](void (*change)(GradingState&)) {
        return [this, change] {
            change(m_state);
            m_canvas->showMarks(m_state);
            m_canvas->setFocus();
        };
    };
    connect(controls.selectAllButton, &QPushButton::clicked, this,
            onMarks([](GradingState& state) { state.selectAll(); }));
    connect(controls.selectUnscoredButton, &QPushButton::clicked, this,
            onMarks([](GradingState& state) { state.selectUnscored(); }));
    connect(controls.clearSelectionButton, &QPushButton::clicked, this,
            onMarks([](GradingState& state) { state.clearSelection(); }));

    const auto onZoom = [this](ZoomStep step) {
        return [this, step] {
            m_state.zoom(step);
            if (m_state.currentRegion() != 0)
                renderPage();
        };
    };
    connect(controls.reduceButton, &QPushButton::clicked, this, onZoom(ZoomStep::Reduce));
    connect(controls.enlargeButton, &QPushButton::clicked, this, onZoom(ZoomStep::Enlarge));

    connect(controls.hideGradedCheck, &QCheckBox::clicked, this,
            &GradingWindow::applyDisplayOptions);
    connect(controls.showCommentsCheck, &QCheckBox::clicked, this,
            &GradingWindow::applyDisplayOptions);
    connect(controls.fewerColumnsButton, &QPushButton::clicked, this,
            [this] { stepColumns(ColumnStep::Fewer); });
    connect(controls.moreColumnsButton, &QPushButton::clicked, this,
            [this] { stepColumns(ColumnStep::More); });
    connect(controls.extractButton, &QPushButton::clicked, this, [this] {
        if (m_state.currentRegion() == 0)
            return;
        m_state.buildExtract(m_panel->controls().extractEdit->text());
        renderPage();
    });
    connect(controls.finishButton, &QPushButton::clicked, this, &GradingWindow::finishGrading);
    connect(controls.selectBlankButton, &QPushButton::clicked, this,
            &GradingWindow::selectBlankAnswers);
    connect(controls.similarOrderCheck, &QCheckBox::clicked, this,
            &GradingWindow::applyDisplayOptions);
}

void GradingWindow::selectBlankAnswers()
{
    if (m_state.currentRegion() == 0)
        return;
    const std::vector<bool> blank = [this] {
        const widgets::BusyPointer busy;
        return m_questionInk
            .question(m_workspace, m_state.currentRegion(), m_state.tables().sheetCount())
            .blank;
    }();
    m_state.selectOnly(blank);
    m_canvas->showMarks(m_state);
    m_canvas->setFocus();
}

void GradingWindow::connectCanvas()
{
    connect(m_canvas, &GridCanvas::answerClicked, this,
            [this](int index, Qt::KeyboardModifiers modifiers) {
                m_state.click(index, modifiers.testFlag(Qt::ShiftModifier) ? ShiftKey::Down
                                                                           : ShiftKey::Up);
                m_canvas->showMarks(m_state);
                m_canvas->setFocus();
            });
    connect(m_canvas, &GridCanvas::scoreEdited, this,
            [this](int index, const QString& text) { m_history.editScore(index, text); });
    connect(m_canvas, &GridCanvas::commentEdited, this,
            [this](int index, const QString& text) { m_history.editComment(index, text); });
    connect(m_canvas, &GridCanvas::keyDown, this, &GradingWindow::onCanvasKey);
    connect(m_canvas, &GridCanvas::keyUp, this, [this](int key) {
        if (key == Qt::Key_Shift)
            m_state.setShiftHeld(false);
    });
}

void GradingWindow::showWithPalette()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_palette->move(palettePosition(screen->availableGeometry(), screen->availableVirtualGeometry(),
                                    m_geometry, m_palette->size()));
    m_palette->show();
    show();
}

void GradingWindow::renderPage()
{
    m_canvas->showPage(m_state, m_cutouts, m_workspace);
    renderSelectors();
    m_canvasBar->setMaximum(scrollMaximum(m_canvas->height(), m_canvasBar->height()));
    m_horizontalBar->setMaximum(scrollMaximum(m_canvas->width(), m_horizontalBar->width()));
    placeCanvas();
}

void GradingWindow::renderSelectors()
{
    const QList<SelectorColour>& colours = m_state.selectorColours();
    for (qsizetype index = 0; index < m_selectors.size(); ++index) {
        QColor colour = palette().color(QPalette::Button);
        if (colours[index] == SelectorColour::FullyGraded)
            colour = QColor(0, 255, 255);
        else if (colours[index] == SelectorColour::Current)
            colour = QColor(255, 255, 0);
        m_selectors[index]->setBackground(colour);
    }
}

void GradingWindow::placeCanvas()
{
    // In window pixels the canvas stands at left 80 − HScroll1 and top 3 − VScroll2.
    m_canvas->move(-m_horizontalBar->value(), kScrolledTop - m_canvasBar->value());
}

void GradingWindow::applyDisplayOptions()
{
    const CommandPanel::Controls& controls = m_panel->controls();
    m_state.setOptions(
        {controls.hideGradedCheck->isChecked(),
         controls.showCommentsCheck->isChecked() ? CommentDisplay::Shown : CommentDisplay::Hidden,
         controls.similarOrderCheck->isChecked() ? AnswerOrder::Similar : AnswerOrder::Sheet});
    if (m_state.currentRegion() != 0)
        renderPage();
}

void GradingWindow::stepColumns(ColumnStep step)
{
    QLineEdit* box = m_panel->controls().columnsEdit;
    const std::optional<QString> text = m_state.stepColumns(step, box->text());
    if (!text)
        return;
    box->setText(*text);
    if (m_state.currentRegion() != 0)
        renderPage();
}

void GradingWindow::onCanvasKey(int key)
{
    const auto scrollBy = [](QScrollBar* bar, int step) {
        bar->setValue(std::clamp(bar->value() + step, 0, bar->maximum()));
    };
    switch (key) {
    case Qt::Key_Shift: m_state.setShiftHeld(true); return;
    case Qt::Key_PageUp: scrollBy(m_canvasBar, -m_canvasBar->pageStep()); return;
    case Qt::Key_PageDown: scrollBy(m_canvasBar, m_canvasBar->pageStep()); return;
    case Qt::Key_Up: scrollBy(m_canvasBar, -m_canvasBar->singleStep()); return;
    case Qt::Key_Down: scrollBy(m_canvasBar, m_canvasBar->singleStep()); return;
    case Qt::Key_Left: scrollBy(m_horizontalBar, -m_horizontalBar->pageStep()); return;
    case Qt::Key_Right: scrollBy(m_horizontalBar, m_horizontalBar->pageStep()); return;
    default:
        if (key >= Qt::Key_F1 && key <= Qt::Key_F7)
            m_palette->pressScoreButton(key - Qt::Key_F1);
    }
}

bool GradingWindow::save()
{
    if (workspace::Status saved = m_state.tables().save(m_workspace); !saved) {
        QMessageBox::warning(this, workspace::applicationTitle(), saved.error());
        return false;
    }
    m_state.markSaved();
    return true;
}

void GradingWindow::finishGrading()
{
    if (save())
        close();
}

void GradingWindow::closeEvent(QCloseEvent* event)
{
    if (m_state.hasChanges()) {
        QMessageBox question(QMessageBox::Question, workspace::applicationTitle(),
                             u"採点の結果がまだ保存されていません。\n保存してから閉じますか？"_s,
                             QMessageBox::NoButton, this);
        QPushButton* saveButton = question.addButton(u"保存して閉じる"_s, QMessageBox::AcceptRole);
        question.addButton(u"保存せずに閉じる"_s, QMessageBox::DestructiveRole);
        QPushButton* backButton = question.addButton(u"戻る"_s, QMessageBox::RejectRole);
        question.setDefaultButton(saveButton);
        question.setEscapeButton(backButton);
        question.exec();
        const QAbstractButton* answer = question.clickedButton();
        if (!answer || answer == backButton || (answer == saveButton && !save())) {
            event->ignore();
            return;
        }
    }
    // Saved, given up, or nothing to keep: the journal has done its work.
    m_history.discardJournal();
    m_palette->hide();
    event->accept();
    emit closed();
}

} // namespace grading
