// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster_window.h"

#include "cutout_listing.h"
#include "imaging/picture_loading.h"
#include "name_moves.h"
#include "roster_input.h"
#include "stretched_image.h"
#include "workspace/cp932.h"
#include "workspace/folders.h"
#include "workspace/limits.h"
#include "workspace/roster_file.h"
#include "workspace/sample_location.h"
#include "workspace/units.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using workspace::twipsToPixels;

namespace roster {

namespace {

const char* const kIndexProperty = "index";
const char* const kTagProperty = "tag";

constexpr QSize kButtonSize{121, 25};
constexpr QSize kHoldingBoxSize{121, 21};

} // namespace

RosterWindow::RosterWindow(workspace::Workspace workspace, QWidget* parent)
    : QWidget(parent)
    , m_workspace(std::move(workspace))
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"名簿割り当て"_s);

    createControls();
    placeControls();

    const int found =
        sheetRowCount(listCutouts(m_workspace.path(workspace::paths::cutoutFolder(1))));
    m_sheetRowCount = std::min(found, workspace::kMaxSheets);
    createRows(std::max(m_sheetRowCount, 1));
    fitCanvasToRows({templateRow()});
    layoutRows();
    loadSavedNames();
    m_storedNames = names();
    m_canvas->setFocus();

    if (found > workspace::kMaxSheets)
        showMessage(
            u"名簿を割り当てられるのは%1枚までです。%2枚目からの答案は表示していません。"_s.arg(
                QString::number(workspace::kMaxSheets),
                QString::number(workspace::kMaxSheets + 1)));
}

void RosterWindow::createControls()
{
    // Created first so that it comes first in the tab order and lies under the scroll bar.
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(u"Picture1"_s);
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_canvas->setAutoFillBackground(true);
    m_canvas->installEventFilter(this);

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(u"VScroll1"_s);
    // The canvas moves when the thumb is released, not while it is dragged.
    m_scrollBar->setTracking(false);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &RosterWindow::onScroll);

    auto button = [this](const QString& name, const QString& caption) {
        auto* control = new QPushButton(caption, this);
        control->setObjectName(name);
        return control;
    };
    m_loadButton = button(u"Command1"_s, u"名簿読み込み"_s);
    m_takeOutButton = button(u"Command2"_s, u"→　取り出し"_s);
    m_insertButton = button(u"Command3"_s, u"←　　挿入　"_s);
    m_holdingBox = new QLineEdit(this);
    m_holdingBox->setObjectName(u"Text2"_s);
    m_enlargeButton = button(u"Command6"_s, u"拡大"_s);
    m_reduceButton = button(u"Command5"_s, u"縮小"_s);
    m_finishButton = button(u"Command4"_s, u"割り当て終了"_s);

    connect(m_loadButton, &QPushButton::clicked, this, &RosterWindow::loadRosterFile);
    connect(m_takeOutButton, &QPushButton::clicked, this, &RosterWindow::takeOutName);
    connect(m_insertButton, &QPushButton::clicked, this, &RosterWindow::insertHeldName);
    connect(m_enlargeButton, &QPushButton::clicked, this, [this] { zoom(enlargedZoom); });
    connect(m_reduceButton, &QPushButton::clicked, this, [this] { zoom(reducedZoom); });
    connect(m_finishButton, &QPushButton::clicked, this, &RosterWindow::finishAssignment);

    auto swatch = [this](const QString& name, imaging::MarkState state) {
        auto* control = new StretchedImage(this);
        control->setObjectName(name);
        control->setPicture(imaging::swatchImage(state));
        control->setGeometry(0, 0, 10, 10);
        control->hide();
        return control;
    };
    m_yellowSwatch = swatch(u"imgYellow"_s, imaging::MarkState::Yellow);
    m_graySwatch = swatch(u"imgGray"_s, imaging::MarkState::Gray);
    // Present like in the grading window, but no row of this window is ever blue.
    swatch(u"imgBlue"_s, imaging::MarkState::Blue);
}

void RosterWindow::placeControls()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    m_geometry = rosterWindowGeometry(QSizeF(available.size()) * workspace::kTwipsPerPixel);
    const QRect windowPixels = twipsToPixels(m_geometry.window);
    move(available.topLeft() + windowPixels.topLeft());
    resize(windowPixels.size());

    m_canvas->setGeometry(m_geometry.canvas);
    m_scrollBar->setGeometry(m_geometry.scrollBar);
    const std::pair<QWidget*, int> column[] = {
        {m_loadButton, 15},     {m_takeOutButton, 51}, {m_insertButton, 87},  {m_holdingBox, 123},
        {m_enlargeButton, 156}, {m_reduceButton, 192}, {m_finishButton, 255},
    };
    for (const auto& [control, top] : column)
        control->setGeometry(QRect(QPoint(m_geometry.columnLeft, top),
                                   control == m_holdingBox ? kHoldingBoxSize : kButtonSize));
}

void RosterWindow::createRows(int count)
{
    m_rows.reserve(count);
    for (int index = 0; index < count; ++index)
        m_rows.append(createRow(index));
}

RosterWindow::Row RosterWindow::createRow(int index)
{
    Row row;
    row.image = new StretchedImage(m_canvas);
    row.image->setObjectName(u"picKaitou"_s);
    row.frame = new StretchedImage(m_canvas);
    row.frame->setObjectName(u"picHaikei"_s);
    row.nameBox = new QLineEdit(m_canvas);
    row.nameBox->setObjectName(u"Text1"_s);

    const RowGeometry design = templateRow();
    row.image->setGeometry(twipsToPixels(design.image));
    row.frame->setGeometry(twipsToPixels(design.frame));
    row.nameBox->setGeometry(twipsToPixels(design.nameBox));
    setFrameState(row, imaging::MarkState::Gray);
    for (QWidget* control : {static_cast<QWidget*>(row.image), static_cast<QWidget*>(row.frame),
                             static_cast<QWidget*>(row.nameBox)}) {
        control->setProperty(kIndexProperty, index);
        // Rows beyond the template start hidden; the layout shows them.
        control->setVisible(index == 0);
    }

    row.nameBox->installEventFilter(this);
    QLineEdit* box = row.nameBox;
    connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
        if (const QString line = singleLine(text); line != text)
            box->setText(line);
    });
    return row;
}

void RosterWindow::layoutRows()
{
    // Without cut-outs the template row keeps its designed place.
    if (m_sheetRowCount == 0)
        return;
    QList<QImage> pictures;
    QList<QSizeF> naturalSizes;
    pictures.reserve(m_sheetRowCount);
    naturalSizes.reserve(m_sheetRowCount);
    for (int sheet = 1; sheet <= m_sheetRowCount; ++sheet) {
        // A cut-out that cannot be read shows an empty image of the template's size; its name
        // box stays usable.
        workspace::Expected<QImage> picture =
            imaging::loadPicture(m_workspace.path(workspace::paths::cutoutImage(1, sheet)));
        naturalSizes.append(picture ? workspace::naturalTwipsSize(picture->size())
                                    : kTemplateImage.size());
        pictures.append(picture ? std::move(picture).value() : QImage());
    }

    const QList<RowGeometry> geometry = roster::layoutRows(naturalSizes, m_zoomFactor);
    for (int index = 0; index < m_sheetRowCount; ++index) {
        const Row& row = m_rows[index];
        row.image->setPicture(std::move(pictures[index]));
        row.image->setGeometry(twipsToPixels(geometry[index].image));
        row.nameBox->move(twipsToPixels(geometry[index].nameBox).topLeft());
        row.frame->setGeometry(twipsToPixels(geometry[index].frame));
        setFrameState(row, imaging::MarkState::Gray);
        row.image->show();
        row.frame->show();
        row.nameBox->show();
    }
    fitCanvasToRows(geometry);
}

void RosterWindow::fitCanvasToRows(const QList<RowGeometry>& rows)
{
    const int height = canvasHeight(lowestEdge(rows));
    m_canvas->resize(m_canvas->width(), height);
    const workspace::ScrollSettings settings =
        rosterScrollSettings(height, m_scrollBar->height(), m_geometry.window.height());
    m_scrollBar->setRange(settings.minimum, settings.maximum);
    m_scrollBar->setPageStep(settings.largeStep);
    m_scrollBar->setSingleStep(settings.smallStep);
}

void RosterWindow::loadSavedNames()
{
    const QString path = m_workspace.path(workspace::paths::rosterFile());
    if (!QFileInfo::exists(path))
        return;
    workspace::Expected<QStringList> saved = workspace::readRoster(path);
    if (!saved) {
        showMessage(saved.error());
        return;
    }
    QStringList current = names();
    for (qsizetype index = 0; index < std::min(current.size(), saved->size()); ++index)
        current[index] = saved->at(index);
    setNames(current);
}

QStringList RosterWindow::names() const
{
    QStringList names;
    names.reserve(m_rows.size());
    for (const Row& row : m_rows)
        names.append(row.nameBox->text());
    return names;
}

void RosterWindow::setNames(const QStringList& names)
{
    for (qsizetype index = 0; index < std::min(names.size(), m_rows.size()); ++index) {
        QLineEdit* box = m_rows[index].nameBox;
        if (box->text() != names[index])
            box->setText(names[index]);
    }
}

void RosterWindow::setFrameState(const Row& row, imaging::MarkState state)
{
    const StretchedImage* swatch =
        state == imaging::MarkState::Yellow ? m_yellowSwatch : m_graySwatch;
    row.frame->setPicture(swatch->picture());
    row.frame->setProperty(kTagProperty, imaging::tagWord(state));
}

std::optional<int> RosterWindow::selectedRow() const
{
    const QString selected = imaging::tagWord(imaging::MarkState::Yellow);
    for (int index = 0; index < rowCount(); ++index) {
        if (m_rows[index].frame->property(kTagProperty).toString() == selected)
            return index;
    }
    return std::nullopt;
}

void RosterWindow::clearSelection()
{
    for (const Row& row : m_rows)
        setFrameState(row, imaging::MarkState::Gray);
}

void RosterWindow::selectRow(int index)
{
    clearSelection();
    setFrameState(m_rows[index], imaging::MarkState::Yellow);
}

void RosterWindow::showRow(int index)
{
    m_scrollBar->setValue(m_rows[index].frame->y());
    m_rows[index].nameBox->setFocus();
}

void RosterWindow::zoom(float (*step)(float))
{
    m_zoomFactor = step(m_zoomFactor);
    // Held back while every row moves, so that the rows are not redrawn one by one.
    m_canvas->setUpdatesEnabled(false);
    layoutRows();
    clearSelection();
    m_canvas->setUpdatesEnabled(true);
}

void RosterWindow::loadRosterFile()
{
    QFileDialog dialog(this, u"名簿読み込み"_s, workspace::rosterDialogFolder(m_workspace),
                       u"テキストファイル(*.txt)"_s);
    dialog.setObjectName(u"CommonDialog1"_s);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    const workspace::Expected<QStringList> lines =
        readRosterInput(dialog.selectedFiles().constFirst());
    if (!lines) {
        showMessage(lines.error());
        return;
    }
    // Boxes beyond the file's last line keep their names; lines beyond the last box are dropped.
    QStringList current = names();
    for (qsizetype index = 0; index < std::min(current.size(), lines->size()); ++index)
        current[index] = lines->at(index);
    setNames(current);
}

void RosterWindow::takeOutName()
{
    const std::optional<int> selected = selectedRow();
    if (!selected)
        return;
    TakeOutResult result = takeOut(names(), *selected);
    m_holdingBox->setText(result.taken);
    setNames(result.names);
}

void RosterWindow::insertHeldName()
{
    if (const std::optional<int> selected = selectedRow())
        setNames(insertName(names(), *selected, m_holdingBox->text()));
}

void RosterWindow::finishAssignment()
{
    if (saveNames())
        close();
}

bool RosterWindow::saveNames()
{
    const QStringList current = names();
    workspace::Status saved =
        workspace::ensureFolder(m_workspace.path(workspace::paths::dataFolder()));
    if (saved)
        saved = workspace::writeRoster(m_workspace.path(workspace::paths::rosterFile()), current);
    if (!saved) {
        const auto unstorable =
            std::find_if(current.cbegin(), current.cend(),
                         [](const QString& name) { return !workspace::cp932::canEncode(name); });
        if (unstorable != current.cend()) {
            const int index = static_cast<int>(unstorable - current.cbegin());
            selectRow(index);
            showRow(index);
        }
        showMessage(saved.error());
        return false;
    }
    m_storedNames = current;
    return true;
}

void RosterWindow::closeEvent(QCloseEvent* event)
{
    if (names() != m_storedNames) {
        const QMessageBox::StandardButton answer = QMessageBox::question(
            this, workspace::applicationTitle(),
            u"名簿の変更が保存されていません。\n保存してから閉じますか？"_s,
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !saveNames())) {
            event->ignore();
            return;
        }
    }
    event->accept();
    emit closed();
}

bool RosterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_canvas && event->type() == QEvent::KeyPress) {
        // A name box does not handle the scrolling keys and passes them on to the canvas, so
        // they arrive here once whether the canvas or a box has the focus. They are not
        // consumed.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const workspace::ScrollSettings settings{m_scrollBar->minimum(), m_scrollBar->maximum(),
                                                 m_scrollBar->pageStep(),
                                                 m_scrollBar->singleStep()};
        if (const std::optional<int> value = scrolledValue(key, m_scrollBar->value(), settings))
            m_scrollBar->setValue(*value);
    } else if (event->type() == QEvent::MouseButtonPress && watched->objectName() == u"Text1"_s) {
        selectRow(watched->property(kIndexProperty).toInt());
    }
    return QWidget::eventFilter(watched, event);
}

void RosterWindow::onScroll(int value)
{
    m_canvas->move(m_canvas->x(), canvasTop(value));
}

void RosterWindow::showMessage(const QString& text)
{
    QMessageBox::information(this, workspace::applicationTitle(), text);
}

RosterWindow* openRosterWindow(QWidget* mainWindow, const workspace::Workspace& workspace)
{
    auto* window = new RosterWindow(workspace);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(window, &RosterWindow::closed, mainWindow, &QWidget::show);
    window->show();
    mainWindow->hide();
    return window;
}

} // namespace roster
