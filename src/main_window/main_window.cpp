#include "main_window.h"

#include "main_window_geometry.h"
#include "result_actions.h"
#include "sheet_view.h"

#include "grading/open_grading.h"
#include "imaging/bmp_saving.h"
#include "imaging/picture_loading.h"
#include "roster/roster_window.h"
#include "workspace/folders.h"
#include "workspace/limits.h"
#include "workspace/units.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;
using workspace::twipsToPixels;

namespace main_window {

namespace {

constexpr double kScrollBarWidth = 285;

template <typename Control>
Control* makeControl(QWidget* parent, const QString& objectName, const QString& caption,
                     const QRectF& designTwips)
{
    auto* control = new Control(caption, parent);
    control->setObjectName(objectName);
    control->setGeometry(twipsToPixels(designTwips));
    return control;
}

} // namespace

MainWindow::MainWindow(workspace::Workspace workspace, QWidget* parent)
    : QWidget(parent)
    , m_workspace(std::move(workspace))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"採点支援ソフト　「丸付け名人」　V1.6"_s);
    createControls();
    placeWindow();
    m_workspace.makeCurrent();

    const QString firstSheet = m_workspace.path(workspace::paths::sheetImage(1));
    if (QFileInfo::exists(firstSheet)) {
        workspace::Expected<QImage> picture = imaging::loadPicture(firstSheet);
        if (picture)
            layoutSheetView(*picture);
        else
            showMessage(picture.error());
    }
    layoutScrollBar();

    if (workspace::Status status =
            workspace::ensureFolder(m_workspace.path(workspace::paths::dataFolder()));
        !status)
        showMessage(status.error());
}

void MainWindow::createControls()
{
    // Created first so that the panel and the scroll bar stay above a tall sheet view.
    m_sheetView = new SheetView(this);
    m_viewTwips = QRectF(15, 0, 12870, 9000);
    applySheetViewGeometry();

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(u"VScroll1"_s);
    // The view moves when the thumb is released, not while it is dragged.
    m_scrollBar->setTracking(false);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &MainWindow::onScroll);

    m_frame = new QGroupBox(this);
    m_frame->setObjectName(u"Frame1"_s);
    // Opaque, so that a tall sheet view does not show through the panel.
    m_frame->setAutoFillBackground(true);

    auto button = [this](const QString& name, const QString& caption, QRectF design) {
        return makeControl<QPushButton>(m_frame, name, caption, design);
    };
    m_importButton = button(u"Command2"_s, u"1.答案読込"_s, {90, 180, 1485, 330});
    m_undoButton = button(u"Command1"_s, u"2.切り取りUNDO"_s, {1650, 180, 1485, 330});
    m_cutButton = button(u"Command3"_s, u"3.切り取り終了"_s, {3210, 180, 1485, 330});
    m_rosterButton = button(u"Command7"_s, u"4.名簿割り当て"_s, {4785, 180, 1485, 330});
    m_gradingButton = button(u"Command4"_s, u"5.点数振り分け"_s, {6345, 180, 1485, 330});
    m_computeButton = button(u"Command5"_s, u"6.採点実行"_s, {7900, 180, 1485, 330});
    m_showRankCheck =
        makeControl<QCheckBox>(m_frame, u"chkJuni"_s, u"順位表示"_s, {9540, 240, 1155, 195});
    m_reduceButton = button(u"Command13"_s, u"縮小"_s, {11250, 180, 735, 330});
    m_enlargeButton = button(u"Command12"_s, u"拡大"_s, {12060, 180, 735, 330});
    m_previousResultButton = button(u"Command9"_s, u"<< 7.採点結果"_s, {90, 600, 1305, 330});
    m_resultNumberEdit = makeControl<QLineEdit>(m_frame, u"Text1"_s, QString(), {1410, 645, 375, 270});
    m_nextResultButton = button(u"Command10"_s, u"7.採点結果 >>"_s, {1830, 600, 1305, 330});
    m_printButton = button(u"Command8"_s, u"8.答案印刷"_s, {3210, 600, 1485, 330});
    m_gradeTableButton = button(u"Command11"_s, u"9.成績表"_s, {4785, 600, 1485, 330});
    m_resetButton = button(u"Command14"_s, u"10.初期化"_s, {6345, 600, 1485, 330});
    m_exitButton = button(u"Command6"_s, u"終了"_s, {11295, 585, 1485, 330});

    connect(m_gradingButton, &QPushButton::clicked, this,
            [this] { grading::openGradingWindow(m_workspace, this); });
    connect(m_rosterButton, &QPushButton::clicked, this,
            [this] { roster::openRosterWindow(this, m_workspace); });
    connect(m_exitButton, &QPushButton::clicked, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    m_resultActions = new ResultActions(
        *this, {m_computeButton, m_showRankCheck, m_previousResultButton, m_resultNumberEdit,
                m_nextResultButton, m_printButton, m_gradeTableButton});
}

void MainWindow::placeWindow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    // The available area, so that the panel is not hidden under the desktop's own panels.
    const QSizeF screenTwips = QSizeF(screen->availableGeometry().size()) * workspace::kTwipsPerPixel;
    const MainWindowGeometry geometry = mainWindowGeometry(screenTwips);
    m_windowTwips = geometry.window;
    const QRect windowPixels = twipsToPixels(geometry.window);
    move(screen->availableGeometry().topLeft() + windowPixels.topLeft());
    resize(windowPixels.size());

    m_frame->setGeometry(twipsToPixels(geometry.frame));
    auto moveLeft = [](QWidget* control, double leftTwips) {
        control->move(twipsToPixels(leftTwips), control->y());
    };
    moveLeft(m_exitButton, geometry.exitLeft);
    moveLeft(m_reduceButton, geometry.reduceLeft);
    moveLeft(m_enlargeButton, geometry.enlargeLeft);
}

double MainWindow::displayScale() const
{
    if (m_sheetSurface.isNull())
        return 0.0;
    return m_viewTwips.width() / m_sheetSurface.sizeTwips().width();
}

void MainWindow::layoutSheetView(const QImage& picture)
{
    m_regions = {};
    m_undoButton->setEnabled(false);
    m_viewTwips = fittedSheetView(m_windowTwips.width(), QSizeF(picture.size()),
                                  m_viewTwips.top());
    m_sheetSurface = imaging::SheetSurface::fromPicture(picture);
    m_displaySurface = imaging::renderScaled(m_sheetSurface, twipsToPixels(m_viewTwips.size()));
    if (workspace::Status saved = imaging::saveBmp(
            m_displaySurface, m_workspace.path(workspace::paths::undoNew()));
        !saved)
        showMessage(saved.error());
    m_sheetView->setPicture(m_displaySurface);
    applySheetViewGeometry();
}

void MainWindow::layoutScrollBar()
{
    const QRectF barTwips = sheetScrollBarRect(m_windowTwips.size(), kScrollBarWidth);
    m_scrollBar->setGeometry(twipsToPixels(barTwips));
    const ScrollSettings settings =
        sheetScrollSettings(m_viewTwips.height(), barTwips.height(), m_windowTwips.height());
    m_scrollBar->setRange(settings.minimum, settings.maximum);
    m_scrollBar->setPageStep(settings.largeStep);
    m_scrollBar->setSingleStep(settings.smallStep);
}

void MainWindow::showPicture(const QImage& picture)
{
    m_sheetView->setPicture(picture);
}

QImage MainWindow::shownPicture() const
{
    return m_sheetView->picture();
}

void MainWindow::replaceSheetSurface(imaging::SheetSurface surface)
{
    m_sheetSurface = std::move(surface);
}

void MainWindow::resetResultNumber()
{
    m_resultActions->resetResultNumber();
}

void MainWindow::applySheetViewGeometry()
{
    m_sheetView->setGeometry(twipsToPixels(m_viewTwips));
}

void MainWindow::onScroll(int value)
{
    m_viewTwips.moveTop(sheetViewTop(value));
    applySheetViewGeometry();
}

void MainWindow::showMessage(const QString& text)
{
    QMessageBox::information(this, workspace::applicationTitle(), text);
}

} // namespace main_window
