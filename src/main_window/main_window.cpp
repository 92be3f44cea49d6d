// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window.h"

#include "main_window_geometry.h"
#include "pdf_export_action.h"
#include "region_geometry.h"
#include "result_actions.h"
#include "sheet_registration_action.h"
#include "sheet_view.h"

#include "grading/open_grading.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/picture_loading.h"
#include "imaging/region_tint.h"
#include "roster/roster_window.h"
#include "statistics/statistics_window.h"
#include "steps/answer_cutting.h"
#include "steps/sheet_import.h"
#include "steps/text_data_backup.h"
#include "widgets/busy_pointer.h"
#include "widgets/designed_control.h"
#include "widgets/progress_run.h"
#include "workspace/folders.h"
#include "workspace/limits.h"
#include "workspace/preferences.h"
#include "workspace/region_file.h"
#include "workspace/sample_location.h"
#include "workspace/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
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
// Problems listed in one message at most; the rest are counted.
constexpr int kListedProblems = 10;

QString problemList(const QString& heading, const QStringList& problems)
{
    QStringList lines{heading};
    lines.append(problems.first(std::min<qsizetype>(problems.size(), kListedProblems)));
    if (problems.size() > kListedProblems)
        lines.append(u"ほか%1件"_s.arg(problems.size() - kListedProblems));
    return lines.join(u"\n"_s);
}

// The message of an import during which readable scans could not be stored (a full disk). The
// count would read as success; the scans at fault come first, then what was stored.
QString notStoredMessage(const steps::ImportOutcome& outcome)
{
    const QString stored =
        outcome.sheetCount == 0
            ? u"答案は1枚も読み込めませんでした。"_s
            : u"読み込めた%1枚の答案は、番号を詰めて保存しました。"_s.arg(outcome.sheetCount);
    return problemList(u"次のファイルは答案として読み込めませんでした。"_s,
                       outcome.notStored + outcome.skipped)
           + u"\n\n"_s + stored;
}

// The choices offered under the import's folder dialog, kept in settei.txt.
struct ImportChoice {
    workspace::Choice choice;
    QString caption;
};

QList<ImportChoice> importChoices()
{
    return {{workspace::kDropBlankPages, u"白紙のページを除く"_s},
            {workspace::kRegisterSheets, u"用紙の傾きとずれを補正する"_s}};
}

} // namespace

MainWindow::MainWindow(workspace::Workspace workspace, QWidget* parent)
    : QWidget(parent)
    , m_workspace(std::move(workspace))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"採点支援ソフト　「丸付け名人」　V1.6"_s);
    createControls();
    connectControls();
    placeWindow();

    const QString firstSheet = m_workspace.path(workspace::paths::sheetImage(1));
    if (QFileInfo::exists(firstSheet))
        showSheetFile(firstSheet);
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
        return widgets::makeDesignedControl<QPushButton>(m_frame, name, caption, design);
    };
    m_importButton = button(u"Command2"_s, u"1.答案読込"_s, {90, 180, 1485, 330});
    m_undoButton = button(u"Command1"_s, u"2.切り取りUNDO"_s, {1650, 180, 1485, 330});
    m_cutButton = button(u"Command3"_s, u"3.切り取り終了"_s, {3210, 180, 1485, 330});
    m_rosterButton = button(u"Command7"_s, u"4.名簿割り当て"_s, {4785, 180, 1485, 330});
    m_gradingButton = button(u"Command4"_s, u"5.点数振り分け"_s, {6345, 180, 1485, 330});
    m_computeButton = button(u"Command5"_s, u"6.採点実行"_s, {7900, 180, 1485, 330});
    m_showRankCheck = widgets::makeDesignedControl<QCheckBox>(m_frame, u"chkJuni"_s, u"順位表示"_s,
                                                              {9540, 240, 1155, 195});
    m_reduceButton = button(u"Command13"_s, u"縮小"_s, {11250, 180, 735, 330});
    m_enlargeButton = button(u"Command12"_s, u"拡大"_s, {12060, 180, 735, 330});
    m_previousResultButton = button(u"Command9"_s, u"<< 7.採点結果"_s, {90, 600, 1305, 330});
    m_resultNumberEdit = widgets::makeDesignedControl<QLineEdit>(m_frame, u"Text1"_s, QString(),
                                                                 {1410, 645, 375, 270});
    m_nextResultButton = button(u"Command10"_s, u"7.採点結果 >>"_s, {1830, 600, 1305, 330});
    m_printButton = button(u"Command8"_s, u"8.答案印刷"_s, {3210, 600, 1485, 330});
    m_gradeTableButton = button(u"Command11"_s, u"9.成績表"_s, {4785, 600, 1485, 330});
    m_resetButton = button(u"Command14"_s, u"10.初期化"_s, {6345, 600, 1485, 330});
    m_statisticsButton = button(u"cmdKanten"_s, u"観点・統計"_s, {7900, 600, 1485, 330});
    m_pdfButton = button(u"cmdPdf"_s, u"PDF出力"_s, {9480, 600, 1485, 330});
    m_exitButton = button(u"Command6"_s, u"終了"_s, {11295, 585, 1485, 330});

    m_resultActions = new ResultActions(
        *this, {m_computeButton, m_showRankCheck, m_previousResultButton, m_resultNumberEdit,
                m_nextResultButton, m_printButton, m_gradeTableButton});
}

void MainWindow::connectControls()
{
    connect(m_importButton, &QPushButton::clicked, this, &MainWindow::importSheets);
    connect(m_sheetView, &SheetView::pressed, this, &MainWindow::onSheetPressed);
    connect(m_undoButton, &QPushButton::clicked, this, &MainWindow::undoRegion);
    connect(m_cutButton, &QPushButton::clicked, this, &MainWindow::cutAnswers);
    connect(m_resetButton, &QPushButton::clicked, this, &MainWindow::resetWorkspace);
    connect(m_pdfButton, &QPushButton::clicked, this, [this] { exportPdfs(this, m_workspace); });
    connect(m_enlargeButton, &QPushButton::clicked, this,
            [this] { zoomSheetView(ZoomDirection::Enlarge); });
    connect(m_reduceButton, &QPushButton::clicked, this,
            [this] { zoomSheetView(ZoomDirection::Reduce); });
    connect(m_gradingButton, &QPushButton::clicked, this,
            [this] { grading::openGradingWindow(m_workspace, this); });
    connect(m_rosterButton, &QPushButton::clicked, this,
            [this] { roster::openRosterWindow(this, m_workspace); });
    connect(m_statisticsButton, &QPushButton::clicked, this,
            [this] { statistics::openStatisticsWindow(this, m_workspace); });
    connect(m_exitButton, &QPushButton::clicked, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
}

void MainWindow::placeWindow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    // The available area, so that the panel is not hidden under the desktop's own panels.
    const QSizeF screenTwips =
        QSizeF(screen->availableGeometry().size()) * workspace::kTwipsPerPixel;
    const MainWindowGeometry geometry = mainWindowGeometry(screenTwips);
    m_windowTwips = geometry.window;
    const QRect windowPixels = twipsToPixels(geometry.window);
    move(screen->availableGeometry().topLeft() + windowPixels.topLeft());
    // The layout's window height includes the title bar, which the panel's place leaves room
    // for; the drawing area ends with the panel, so that no strip of the sheet shows below it.
    resize(windowPixels.width(), twipsToPixels(geometry.frame.bottom()));

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
    m_viewTwips = fittedSheetView(m_windowTwips.width(), QSizeF(picture.size()), m_viewTwips.top());
    m_sheetSurface = imaging::SheetSurface::fromPicture(picture);
    m_displaySurface = imaging::renderScaled(m_sheetSurface, twipsToPixels(m_viewTwips.size()));
    saveDisplaySnapshot();
    m_sheetView->setPicture(m_displaySurface);
    applySheetViewGeometry();
}

void MainWindow::layoutScrollBar()
{
    const QRectF barTwips = sheetScrollBarRect(m_windowTwips.size(), kScrollBarWidth);
    m_scrollBar->setGeometry(twipsToPixels(barTwips));
    const workspace::ScrollSettings settings =
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

bool MainWindow::showSheetFile(const QString& path)
{
    workspace::Expected<QImage> picture = imaging::loadPicture(path);
    if (!picture) {
        showMessage(picture.error());
        return false;
    }
    layoutSheetView(*picture);
    return true;
}

void MainWindow::clearSheetView()
{
    m_sheetSurface = {};
    m_displaySurface = {};
    m_sheetView->setPicture({});
}

void MainWindow::setZoomButtonsEnabled(bool enabled)
{
    m_enlargeButton->setEnabled(enabled);
    m_reduceButton->setEnabled(enabled);
}

void MainWindow::saveDisplaySnapshot()
{
    if (m_displaySurface.isNull())
        return;
    if (workspace::Status saved = imaging::saveDerivedBmp(
            m_displaySurface, m_workspace.path(workspace::paths::undoNew()));
        !saved)
        showMessage(saved.error());
}

QString MainWindow::getDir(const QString& title, NewFolderButton newFolderButton,
                           const QString& startFolder, QList<widgets::FolderDialogCheck>& checks)
{
    QFileDialog::Options options = QFileDialog::ShowDirsOnly;
    if (newFolderButton == NewFolderButton::Hidden)
        options |= QFileDialog::ReadOnly;
    return widgets::chooseFolder(this, title, startFolder, options, checks);
}

void MainWindow::importSheets()
{
    const QString preferencesPath = m_workspace.path(workspace::paths::preferencesFile());
    workspace::Preferences preferences = workspace::Preferences::read(preferencesPath);
    const QList<ImportChoice> offered = importChoices();
    QList<widgets::FolderDialogCheck> checks;
    for (const ImportChoice& choice : offered)
        checks.append(
            {QString(choice.choice.name), choice.caption, preferences.isOn(choice.choice)});
    const QString folder = getDir(u"答案のあるフォルダを選んでください"_s, NewFolderButton::Hidden,
                                  workspace::importDialogFolder(m_workspace), checks);
    if (folder.isEmpty())
        return;
    for (qsizetype index = 0; index < checks.size(); ++index)
        preferences.set(offered[index].choice, checks[index].checked);
    // A choice that cannot be kept for the next run is no reason to stop this import.
    (void)preferences.write(preferencesPath);
    const bool lineUp = preferences.isOn(workspace::kRegisterSheets);
    steps::SheetImport import(m_workspace, folder,
                              preferences.isOn(workspace::kDropBlankPages)
                                  ? steps::BlankPages::Drop
                                  : steps::BlankPages::Keep,
                              lineUp ? steps::Registration::On : steps::Registration::Off);
    if (workspace::Status source = import.checkSource(); !source) {
        showMessage(source.error());
        return;
    }
    const workspace::Status prepared = [&import] {
        const widgets::BusyPointer busy;
        return import.prepare(QDateTime::currentDateTime());
    }();
    if (!prepared) {
        showMessage(prepared.error());
        return;
    }
    clearSheetView();
    const steps::ImportOutcome outcome = import.finish(widgets::runWithProgress(
        this,
        lineUp ? u"答案を読み込み、位置と傾きを合わせています"_s : u"答案を読み込んでいます"_s,
        static_cast<int>(import.pages().size()),
        [&import](int index) { return import.convert(index); }));
    // The import lines the sheets up as it stores them, unless sheet 1 is not its first page.
    QString registered;
    if (outcome.registration)
        registered = steps::registrationMessage(*outcome.registration);
    else if (lineUp)
        registered = registerImportedSheets(this, m_workspace, outcome.sheetCount);
    setZoomButtonsEnabled(true);
    if (outcome.sheetCount > 0)
        showSheetFile(m_workspace.path(workspace::paths::sheetImage(outcome.sheetCount)));
    if (!outcome.notStored.isEmpty()) {
        QMessageBox::warning(this, workspace::applicationTitle(), notStoredMessage(outcome));
    } else {
        showMessage(outcome.sheetCount == 0
                        ? u"答案画像がありませんでした"_s
                        : u"%1枚の答案を読み込みました"_s.arg(outcome.sheetCount));
    }
    if (!registered.isEmpty())
        showMessage(registered);
    if (!outcome.blankDropped.isEmpty())
        showMessage(problemList(u"白紙のページ%1枚を両面スキャンの裏面として除きました。"_s.arg(
                                    outcome.blankDropped.size()),
                                outcome.blankDropped));
    // Pages that are no pictures are skipped; the teacher learns which after the count.
    if (outcome.notStored.isEmpty() && !outcome.skipped.isEmpty())
        QMessageBox::warning(
            this, workspace::applicationTitle(),
            problemList(u"次のファイルは答案として読み込めませんでした。"_s, outcome.skipped));
    if (!outcome.otherPaper.isEmpty())
        QMessageBox::warning(this, workspace::applicationTitle(),
                             problemList(u"次のページは1ページ目と用紙の大きさが違います。"
                                         u"別の用紙が混ざっていないか確かめてください。"_s,
                                         outcome.otherPaper));
    layoutScrollBar();
}

void MainWindow::onSheetPressed(QPointF positionTwips)
{
    setZoomButtonsEnabled(false);
    if (m_sheetView->picture().isNull() || m_sheetSurface.isNull())
        return;
    if (m_regions.isFull()) {
        showMessage(u"領域は%1個までしか指定できません。"_s.arg(workspace::kMaxRegions));
        return;
    }
    const QPoint pixel = displayPixelForPress(positionTwips, m_viewTwips.height());
    imaging::tintDot(m_displaySurface, pixel.x(), pixel.y());
    m_sheetView->setPicture(m_displaySurface);
    if (const std::optional<RegionMarker::Corners> corners = m_marker.press(pixel))
        completeRegion(*corners);
}

void MainWindow::completeRegion(const RegionMarker::Corners& corners)
{
    const DisplayRect painted = paintedRectangle(corners.first, corners.second);
    imaging::tintRect(m_displaySurface, painted.left, painted.right, painted.bottom, painted.top);
    m_sheetView->setPicture(m_displaySurface);
    const double displayHeight = m_viewTwips.height() / workspace::kTwipsPerPixel;
    m_regions.append(sheetRegion(painted, displayScale(), displayHeight));

    const QString undoOld = m_workspace.path(workspace::paths::undoOld());
    QFile::remove(undoOld);
    QFile::rename(m_workspace.path(workspace::paths::undoNew()), undoOld);
    saveDisplaySnapshot();
    m_undoButton->setEnabled(true);
}

void MainWindow::undoRegion()
{
    m_undoButton->setEnabled(false);
    m_regions.removeLast();
    const QString undoOld = m_workspace.path(workspace::paths::undoOld());
    if (QFileInfo::exists(undoOld)) {
        workspace::Expected<QImage> previous = imaging::loadPicture(undoOld);
        if (previous) {
            // A zoom step since the snapshot changed the view's size; keep marks where they were.
            const QSize displaySize = twipsToPixels(m_viewTwips.size());
            m_displaySurface = (previous->size() == displaySize
                                    ? *previous
                                    : previous->scaled(displaySize, Qt::IgnoreAspectRatio,
                                                       Qt::SmoothTransformation))
                                   .convertToFormat(QImage::Format_RGB32);
        } else {
            showMessage(previous.error());
        }
    }
    saveDisplaySnapshot();
    m_sheetView->setPicture(m_displaySurface);
}

workspace::Status MainWindow::writeRegionFile() const
{
    return workspace::writeRegions(m_workspace.path(workspace::paths::regionFile()),
                                   m_regions.regions());
}

void MainWindow::cutAnswers()
{
    steps::AnswerCutting cutting(m_workspace, m_regions.regions());
    workspace::Status prepared = [&] {
        const widgets::BusyPointer busy;
        workspace::Status written = writeRegionFile();
        return written ? cutting.prepare() : written;
    }();
    QStringList problems;
    if (prepared) {
        for (const workspace::Status& result :
             widgets::runWithProgress(this, u"答案を切り取っています"_s, cutting.sheetCount(),
                                      [&cutting](int index) { return cutting.cut(index); }))
            if (!result)
                problems.append(result.error());
    }
    // The sheet surface ends up holding the last sheet cut; the zoom renders from it.
    if (prepared && cutting.sheetCount() > 0) {
        workspace::Expected<QImage> last = imaging::loadPicture(
            m_workspace.path(workspace::paths::sheetImage(cutting.sheetCount())));
        if (last)
            m_sheetSurface = imaging::SheetSurface::fromPicture(*last);
    }
    setZoomButtonsEnabled(true);
    if (!prepared)
        showMessage(prepared.error() + u"\n切り取りを中止しました。"_s);
    else if (!problems.isEmpty())
        showMessage(problemList(u"切り取りできなかった答案があります。"_s, problems));
    else
        showMessage(u"切り取り作業が完了しました"_s);
}

void MainWindow::resetWorkspace()
{
    m_regions = {};
    resetResultNumber();
    // An error in one step does not stop the next: the teacher asked for a fresh start.
    if (workspace::Status backedUp = steps::backUpTextData(
            m_workspace.path(workspace::paths::dataFolder()), QDateTime::currentDateTime());
        !backedUp)
        showMessage(backedUp.error());
    const QString firstSheet = m_workspace.path(workspace::paths::sheetImage(1));
    if (QFileInfo::exists(firstSheet))
        showSheetFile(firstSheet);
    layoutScrollBar();
    setZoomButtonsEnabled(true);
    showMessage(u"初期化しました"_s);
}

void MainWindow::zoomSheetView(ZoomDirection direction)
{
    const std::optional<QRectF> view =
        zoomedSheetView(m_windowTwips.width(), m_viewTwips, direction);
    if (!view)
        return;
    // Hidden while it is rebuilt, so that it is never painted half-updated.
    m_sheetView->hide();
    m_viewTwips = *view;
    applySheetViewGeometry();
    m_displaySurface = imaging::renderScaled(m_sheetSurface, twipsToPixels(m_viewTwips.size()));
    layoutScrollBar();
    m_sheetView->setPicture(m_displaySurface);
    m_sheetView->show();
}

} // namespace main_window
