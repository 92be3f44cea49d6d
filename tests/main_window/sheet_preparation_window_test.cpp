// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/scan_conversion.h"
#include "main_window/main_window.h"
#include "main_window/region_geometry.h"
#include "modal_driver.h"
#include "scan_files.h"
#include "temporary_workspace.h"
#include "workspace/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::Literals::StringLiterals;
using main_window::MainWindow;
using test_support::solidImage;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

// Picks a folder in the next folder dialog, or cancels it for an empty path; with
// `dropBlankPages` or `registerSheets`, sets the dialog's check box to it first.
class FolderChoice {
public:
    explicit FolderChoice(const QString& folder, std::optional<bool> dropBlankPages = {},
                          std::optional<bool> registerSheets = {})
    {
        test_support::onNextModal([this, folder, dropBlankPages, registerSheets](QWidget* dialog) {
            auto* folderDialog = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(folderDialog, nullptr);
            m_dialogTitle = folderDialog->windowTitle();
            auto* blankPages = folderDialog->findChild<QCheckBox*>(u"drop_blank_pages"_s);
            ASSERT_NE(blankPages, nullptr);
            m_blankPagesOffered =
                blankPages->isVisible() && blankPages->text() == u"白紙のページを除く"_s;
            m_blankPagesTicked = blankPages->isChecked();
            if (dropBlankPages)
                blankPages->setChecked(*dropBlankPages);
            auto* registration = folderDialog->findChild<QCheckBox*>(u"register_sheets"_s);
            ASSERT_NE(registration, nullptr);
            m_registrationOffered = registration->isVisible()
                                    && registration->text() == u"用紙の傾きとずれを補正する"_s;
            if (registerSheets)
                registration->setChecked(*registerSheets);
            if (folder.isEmpty()) {
                folderDialog->reject();
                return;
            }
            folderDialog->setDirectory(folder);
            // QFileDialog hides QDialog's public accept.
            static_cast<QDialog*>(folderDialog)->accept();
        });
    }

    [[nodiscard]] const QString& dialogTitle() const { return m_dialogTitle; }
    // Whether the dialog showed the check box for blank pages, and ticked.
    [[nodiscard]] bool blankPagesOffered() const { return m_blankPagesOffered; }
    [[nodiscard]] bool blankPagesTicked() const { return m_blankPagesTicked; }
    [[nodiscard]] bool registrationOffered() const { return m_registrationOffered; }

private:
    QString m_dialogTitle;
    bool m_blankPagesOffered = false;
    bool m_blankPagesTicked = false;
    bool m_registrationOffered = false;
};

QPushButton* button(const MainWindow& window, const QString& name)
{
    return window.findChild<QPushButton*>(name);
}

QWidget* sheetView(const MainWindow& window)
{
    return window.findChild<QWidget*>(u"Image1"_s);
}

// Clicks a button whose handler ends with message boxes, and returns their texts.
QStringList clickAnswering(const MainWindow& window, const QString& name, int messageCount = 1)
{
    const auto answers = test_support::answerMessageBoxes(messageCount);
    button(window, name)->click();
    return answers->texts;
}

// Clicks 1.答案読込, picks the folder and returns the texts of the messages that follow.
QStringList importFrom(const MainWindow& window, const QString& folder, int messageCount)
{
    FolderChoice choice(folder);
    return clickAnswering(window, u"Command2"_s, messageCount);
}

void press(const MainWindow& window, QPoint pixel)
{
    QTest::mousePress(sheetView(window), Qt::LeftButton, {}, pixel);
}

void markRegion(const MainWindow& window, QPoint first, QPoint second)
{
    press(window, first);
    press(window, second);
}

bool zoomEnabled(const MainWindow& window)
{
    const bool enlarge = button(window, u"Command12"_s)->isEnabled();
    EXPECT_EQ(button(window, u"Command13"_s)->isEnabled(), enlarge);
    return enlarge;
}

QImage fileImage(const TemporaryWorkspace& folder, const QString& relative)
{
    return QImage(folder.path(relative)).convertToFormat(QImage::Format_RGB32);
}

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kPink = qRgb(255, 127, 127);

} // namespace

TEST(SheetImportWindow, ShowsTheLastSheetAndReportsTheCount)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {400, 600});
    folder.writeImage(u"scans/a.JPG"_s, solidImage({400, 600}, Qt::red));
    folder.writeImage(u"scans/b.bmp"_s, solidImage({300, 600}, Qt::green));
    folder.writeBytes(u"scans/c.txt"_s, "notes");
    folder.writeBytes(paths::regionFile(), "1,2,3,4\r\n");
    MainWindow window(folder.workspace());
    markRegion(window, {10, 10}, {50, 60});
    ASSERT_EQ(window.regions().regionCount, 1);
    ASSERT_FALSE(zoomEnabled(window));

    FolderChoice choice(folder.path(u"scans"_s));
    EXPECT_EQ(clickAnswering(window, u"Command2"_s), QStringList{u"2枚の答案を読み込みました"_s});
    EXPECT_EQ(choice.dialogTitle(), u"答案のあるフォルダを選んでください"_s);
    EXPECT_EQ(folder.workspace().sheetCount(), 2);
    EXPECT_FALSE(folder.exists(paths::regionFile()));
    EXPECT_EQ(window.sheetSurface().pictureSize(), QSize(300, 600));
    EXPECT_EQ(window.displaySurface().pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_EQ(window.sheetViewTwips().height(), window.sheetViewTwips().width() * 2);
    EXPECT_EQ(window.regions().regionCount, 0);
    EXPECT_FALSE(button(window, u"Command1"_s)->isEnabled());
    EXPECT_TRUE(zoomEnabled(window));
    EXPECT_EQ(fileImage(folder, paths::undoNew()), window.displaySurface());
    const auto* scrollBar = window.findChild<QScrollBar*>(u"VScroll1"_s);
    const QRectF bar = main_window::sheetScrollBarRect(window.windowTwips().size(), 285);
    EXPECT_EQ(scrollBar->maximum(),
              main_window::sheetScrollSettings(window.sheetViewTwips().height(), bar.height(),
                                               window.windowTwips().height())
                  .maximum);
}

TEST(SheetImportWindow, CountsTheStoredSheetsThenListsTheSkippedFiles)
{
    TemporaryWorkspace folder;
    folder.writeImage(u"scans/a.jpg"_s, solidImage({40, 60}, Qt::red));
    folder.writeBytes(u"scans/b.jpg"_s, "not a picture");
    MainWindow window(folder.workspace());

    const QStringList messages = importFrom(window, folder.path(u"scans"_s), 2);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], u"1枚の答案を読み込みました"_s);
    EXPECT_TRUE(messages[1].startsWith(u"次のファイルは答案として読み込めませんでした。"_s));
    EXPECT_TRUE(messages[1].contains(u"b.jpg"_s)) << messages[1].toStdString();
    EXPECT_EQ(folder.workspace().sheetCount(), 1);
}

TEST(SheetImportWindow, LeavesOutBlankBacksUnlessTheTeacherUnticksItAndKeepsTheChoice)
{
    TemporaryWorkspace folder;
    const QSize a5(583, 827);
    for (int sheet = 1; sheet <= 2; ++sheet) {
        folder.writeImage(u"scans/scan%1a.jpg"_s.arg(sheet), test_support::writtenSheet(a5, sheet));
        folder.writeImage(u"scans/scan%1b.jpg"_s.arg(sheet), test_support::blankBack(a5, sheet));
    }
    MainWindow window(folder.workspace());

    FolderChoice ticked(folder.path(u"scans"_s));
    const QStringList dropped = clickAnswering(window, u"Command2"_s, 2);
    EXPECT_TRUE(ticked.blankPagesOffered());
    EXPECT_TRUE(ticked.blankPagesTicked());
    ASSERT_EQ(dropped.size(), 2);
    EXPECT_EQ(dropped[0], u"2枚の答案を読み込みました"_s);
    EXPECT_TRUE(dropped[1].startsWith(u"白紙のページ2枚"_s)) << dropped[1].toStdString();
    EXPECT_TRUE(dropped[1].contains(u"scan1b.jpg"_s) && dropped[1].contains(u"scan2b.jpg"_s));
    EXPECT_EQ(folder.workspace().sheetCount(), 2);
    EXPECT_EQ(folder.readBytes(paths::preferencesFile()),
              "drop_blank_pages=1\r\nregister_sheets=1\r\n");

    // The blank backs kept cannot be lined up with sheet 1 and are named after the count.
    FolderChoice unticked(folder.path(u"scans"_s), false);
    const QStringList kept = clickAnswering(window, u"Command2"_s, 2);
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept[0], u"4枚の答案を読み込みました"_s);
    EXPECT_TRUE(kept[1].endsWith(u"スキャンしたまま保存しました。\n002.bmp\n004.bmp"_s))
        << kept[1].toStdString();
    EXPECT_EQ(folder.workspace().sheetCount(), 4);
    EXPECT_EQ(folder.readBytes(paths::preferencesFile()),
              "drop_blank_pages=0\r\nregister_sheets=1\r\n");

    FolderChoice cancelled(QString(), true);
    EXPECT_TRUE(clickAnswering(window, u"Command2"_s, 0).isEmpty());
    EXPECT_FALSE(cancelled.blankPagesTicked());
    EXPECT_EQ(folder.readBytes(paths::preferencesFile()),
              "drop_blank_pages=0\r\nregister_sheets=1\r\n");
}

TEST(SheetImportWindow, LinesTheSheetsUpWithSheetOneUnlessTheTeacherUnticksIt)
{
    TemporaryWorkspace folder;
    const QSize a5(1166, 1654);
    folder.writeImage(u"scans/scan1.jpg"_s, test_support::formSheet(a5, 1));
    QTransform turned;
    turned.translate(a5.width() / 2.0 - 30, a5.height() / 2.0 + 20);
    turned.rotate(181);
    turned.translate(-a5.width() / 2.0, -a5.height() / 2.0);
    folder.writeImage(u"scans/scan2.jpg"_s,
                      test_support::placed(test_support::formSheet(a5, 2), turned));
    MainWindow window(folder.workspace());

    FolderChoice off(folder.path(u"scans"_s), {}, false);
    EXPECT_EQ(clickAnswering(window, u"Command2"_s), QStringList{u"2枚の答案を読み込みました"_s});
    EXPECT_TRUE(off.registrationOffered());
    EXPECT_EQ(folder.readBytes(paths::preferencesFile()),
              "drop_blank_pages=1\r\nregister_sheets=0\r\n");
    // Off is the import as it always was: each sheet holds its scan's own bytes.
    for (int sheet = 1; sheet <= 2; ++sheet) {
        const QString scan = folder.path(u"scans/scan%1.jpg"_s.arg(sheet));
        const QString expected = folder.path(u"expected.bmp"_s);
        ASSERT_TRUE(imaging::convertScan(scan, expected).status.ok());
        EXPECT_EQ(folder.readBytes(paths::sheetImage(sheet)), folder.readBytes(u"expected.bmp"_s))
            << sheet;
    }

    FolderChoice on(folder.path(u"scans"_s), {}, true);
    const QStringList messages = clickAnswering(window, u"Command2"_s, 2);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], u"2枚の答案を読み込みました"_s);
    EXPECT_TRUE(messages[1].contains(u"\n002.bmp　上下を反転、"_s)) << messages[1].toStdString();
    EXPECT_NE(folder.readBytes(paths::sheetImage(2)), folder.readBytes(u"expected.bmp"_s));
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(2))).size(), a5);
}

TEST(SheetImportWindow, AFolderWithoutImagesLeavesAnEmptySheetSetAndKeepsTheRegions)
{
    TemporaryWorkspace folder;
    folder.writeSheets(3, {400, 600});
    folder.writeBytes(u"scans/c.txt"_s, "notes");
    folder.writeBytes(paths::scoreFile(), "1\r\n");
    MainWindow window(folder.workspace());
    markRegion(window, {10, 10}, {50, 60});

    EXPECT_EQ(importFrom(window, folder.path(u"scans"_s), 1),
              QStringList{u"答案画像がありませんでした"_s});
    EXPECT_TRUE(QDir(folder.path(paths::sheetFolder())).isEmpty());
    EXPECT_FALSE(folder.exists(paths::scoreFile()));
    EXPECT_TRUE(window.displaySurface().isNull());
    EXPECT_TRUE(window.sheetSurface().isNull());
    EXPECT_EQ(window.regions().regionCount, 1);
    EXPECT_TRUE(button(window, u"Command1"_s)->isEnabled());
    EXPECT_TRUE(zoomEnabled(window));
}

TEST(SheetImportWindow, ACancelOrTheSheetFolderItselfChangesNothing)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {400, 600});
    folder.writeBytes(paths::scoreFile(), "1\r\n");
    MainWindow window(folder.workspace());
    press(window, {10, 10});

    EXPECT_TRUE(importFrom(window, QString(), 0).isEmpty());
    const QStringList refused = importFrom(window, folder.path(paths::sheetFolder()), 1);
    ASSERT_EQ(refused.size(), 1);
    EXPECT_TRUE(refused[0].contains(u"中止"_s));

    EXPECT_EQ(folder.workspace().sheetCount(), 2);
    EXPECT_TRUE(folder.exists(paths::scoreFile()));
    EXPECT_FALSE(window.displaySurface().isNull());
    EXPECT_FALSE(zoomEnabled(window));
}

TEST(RegionMarkingWindow, TwoPressesTintARegionAndUndoTakesItBackOnce)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {800, 1200});
    MainWindow window(folder.workspace());
    const QImage clean = window.displaySurface();
    const QSize display = clean.size();

    press(window, {100, 200});
    EXPECT_FALSE(zoomEnabled(window));
    EXPECT_EQ(window.regions().regionCount, 0);
    // The dot sits where the press converts to, counted from the bottom of the display.
    const QPoint dot =
        main_window::displayPixelForPress(QPointF(100, 200) * 15, window.sheetViewTwips().height());
    EXPECT_EQ(window.displaySurface().pixel(dot.x(), display.height() - 1 - dot.y()), kPink);
    EXPECT_EQ(window.displaySurface().pixel(150, 250), kWhite);
    press(window, {300, 400});

    // The region lies round the presses in sheet pixels (the sheet is wider than the view), off
    // by the margins, the 15.1 divisor and the natural size of the sheet surface.
    ASSERT_EQ(window.regions().regionCount, 1);
    const workspace::RegionRect region = window.regions().region(1);
    const double sheetPerDisplay = 800.0 / display.width();
    for (const auto& [stored, clicked] : {std::pair{region.left, 100},
                                          {region.top, 200},
                                          {region.right, 300},
                                          {region.bottom, 400}})
        EXPECT_NEAR(stored, clicked * sheetPerDisplay, 15) << clicked;
    EXPECT_EQ(window.displaySurface().pixel(200, 300), kPink);
    EXPECT_EQ(window.displaySurface().pixel(250, 600), kWhite);
    EXPECT_TRUE(button(window, u"Command1"_s)->isEnabled());
    EXPECT_EQ(fileImage(folder, paths::undoOld()), clean);
    EXPECT_EQ(fileImage(folder, paths::undoNew()), window.displaySurface());

    button(window, u"Command1"_s)->click();
    EXPECT_EQ(window.regions().regionCount, 0);
    EXPECT_EQ(window.displaySurface(), clean);
    EXPECT_EQ(fileImage(folder, paths::undoNew()), clean);
    EXPECT_FALSE(button(window, u"Command1"_s)->isEnabled());

    // The next region takes the number of the undone one.
    markRegion(window, {20, 20}, {60, 40});
    EXPECT_EQ(window.regions().regionCount, 1);
    EXPECT_LT(window.regions().region(1).right, region.left);
}

TEST(RegionMarkingWindow, UndoAfterAZoomStepKeepsTheViewAtItsNewSize)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {800, 1200});
    MainWindow window(folder.workspace());
    markRegion(window, {100, 100}, {200, 200});
    markRegion(window, {300, 300}, {400, 400});
    clickAnswering(window, u"Command3"_s);
    button(window, u"Command13"_s)->click();
    const QSize reduced = window.displaySurface().size();

    button(window, u"Command1"_s)->click();
    ASSERT_EQ(window.displaySurface().size(), reduced);
    EXPECT_EQ(fileImage(folder, paths::undoNew()).size(), reduced);
    // The first region's mark is back at its place in the smaller view, the second is gone.
    EXPECT_EQ(qRed(window.displaySurface().pixel(136, 136)), 255);
    EXPECT_LT(qGreen(window.displaySurface().pixel(136, 136)), 200);
    EXPECT_EQ(window.displaySurface().pixel(318, 318), kWhite);
}

TEST(RegionMarkingWindow, PressesOnAnEmptyViewOnlyDisableTheZoom)
{
    TemporaryWorkspace folder;
    MainWindow window(folder.workspace());
    markRegion(window, {10, 10}, {50, 50});
    EXPECT_FALSE(zoomEnabled(window));
    EXPECT_EQ(window.regions().regionCount, 0);
    EXPECT_FALSE(folder.exists(paths::undoOld()));
}

TEST(RegionMarkingWindow, AHundredAndSecondRegionIsRefusedBeforeAnythingIsTinted)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {1000, 100});
    MainWindow window(folder.workspace());
    for (int region = 0; region < workspace::kMaxRegions; ++region)
        markRegion(window, {5 + region * 7, 20}, {8 + region * 7, 30});
    ASSERT_EQ(window.regions().regionCount, workspace::kMaxRegions);
    const QImage before = window.displaySurface();

    const auto answers = test_support::answerMessageBoxes(1);
    press(window, {400, 60});
    ASSERT_EQ(answers->texts.size(), 1);
    EXPECT_TRUE(answers->texts[0].contains(u"101"_s));
    EXPECT_EQ(window.displaySurface(), before);
    EXPECT_EQ(window.regions().regionCount, workspace::kMaxRegions);
}

TEST(CuttingWindow, WritesTheRegionFileAndEveryCutOutAndReenablesTheZoom)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {800, 1200});
    folder.writeImage(paths::sheetImage(3), solidImage({800, 1200}, Qt::blue));
    MainWindow window(folder.workspace());
    markRegion(window, {100, 200}, {300, 400});
    markRegion(window, {50, 500}, {400, 520});

    EXPECT_EQ(clickAnswering(window, u"Command3"_s), QStringList{u"切り取り作業が完了しました"_s});

    const QList<workspace::RegionRect> regions = window.regions().regions();
    QByteArray expectedFile;
    for (const workspace::RegionRect& region : regions)
        expectedFile += u"%1,%2,%3,%4\r\n"_s.arg(region.left)
                            .arg(region.bottom)
                            .arg(region.right)
                            .arg(region.top)
                            .toLatin1();
    EXPECT_EQ(folder.readBytes(paths::regionFile()), expectedFile);
    for (int region = 1; region <= 2; ++region) {
        for (int sheet = 1; sheet <= 3; ++sheet) {
            const QImage cutout(folder.path(paths::cutoutImage(region, sheet)));
            EXPECT_EQ(cutout.size(),
                      QSize(regions[region - 1].width(), regions[region - 1].height()));
        }
    }
    EXPECT_EQ(QImage(folder.path(paths::cutoutImage(2, 3))).pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_TRUE(zoomEnabled(window));
    // The sheet surface now holds the last sheet cut; the view still shows the marking.
    EXPECT_EQ(window.sheetSurface().image().pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(window.displaySurface().pixel(200, 300), kPink);
    EXPECT_EQ(window.regions().regionCount, 2);
}

TEST(CuttingWindow, AnUnreadableSheetIsReportedInsteadOfCompletion)
{
    TemporaryWorkspace folder;
    folder.writeSheets(3, {200, 300});
    folder.writeBytes(paths::sheetImage(2), "BM broken");
    MainWindow window(folder.workspace());
    markRegion(window, {10, 10}, {60, 60});

    const QStringList messages = clickAnswering(window, u"Command3"_s);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"002.bmp"_s)) << messages[0].toStdString();
    EXPECT_TRUE(folder.exists(paths::cutoutImage(1, 3)));

    // Without the region file written, nothing is cut: the cut-outs would not match it.
    QDir(folder.path(paths::dataFolder())).removeRecursively();
    folder.writeBytes(paths::dataFolder(), "a file where the folder belongs");
    QFile::remove(folder.path(paths::cutoutImage(1, 3)));
    const QStringList stopped = clickAnswering(window, u"Command3"_s);
    ASSERT_EQ(stopped.size(), 1);
    EXPECT_TRUE(stopped[0].contains(u"zahyo.txt"_s)) << stopped[0].toStdString();
    EXPECT_TRUE(stopped[0].contains(u"中止"_s));
    EXPECT_FALSE(folder.exists(paths::cutoutImage(1, 3)));
}

TEST(ResetWindow, MovesTheTextDataAsideAndShowsSheetOneAfresh)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {400, 600}, Qt::white);
    folder.writeImage(paths::sheetImage(2), solidImage({400, 600}, Qt::blue));
    folder.writeBytes(paths::regionFile(), "1,2,3,4\r\n");
    folder.writeBytes(paths::rosterFile(), "name\r\n");
    MainWindow window(folder.workspace());
    const QImage clean = window.displaySurface();
    markRegion(window, {10, 10}, {50, 60});
    ASSERT_TRUE(clickAnswering(window, u"Command14"_s).contains(u"初期化しました"_s));

    EXPECT_FALSE(folder.exists(paths::regionFile()));
    EXPECT_FALSE(folder.exists(paths::rosterFile()));
    EXPECT_EQ(
        QDir(folder.path(u"ini/backup"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    EXPECT_EQ(window.regions().regionCount, 0);
    EXPECT_EQ(window.displaySurface(), clean);
    EXPECT_FALSE(button(window, u"Command1"_s)->isEnabled());
    EXPECT_TRUE(zoomEnabled(window));
    EXPECT_TRUE(folder.exists(paths::sheetImage(2)));

    EXPECT_EQ(clickAnswering(window, u"Command14"_s), QStringList{u"初期化しました"_s});
    EXPECT_EQ(window.displaySurface(), clean);
}

TEST(ZoomWindow, ReduceThenEnlargeGivesBackTheFittedView)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {400, 600});
    MainWindow window(folder.workspace());
    const QRectF fitted = window.sheetViewTwips();
    auto* scrollBar = window.findChild<QScrollBar*>(u"VScroll1"_s);

    button(window, u"Command12"_s)->click();
    EXPECT_EQ(window.sheetViewTwips(), fitted);

    for (int step = 1; step <= 3; ++step) {
        scrollBar->setPageStep(1);
        button(window, u"Command13"_s)->click();
        const QRectF view = window.sheetViewTwips();
        EXPECT_NEAR(view.width(), fitted.width() / std::pow(1.1, step), 0.01);
        EXPECT_NEAR(view.center().x(), window.windowTwips().width() / 2, 1e-6);
        EXPECT_EQ(view.top(), fitted.top());
        EXPECT_EQ(window.displaySurface().size(), workspace::twipsToPixels(view.size()));
        EXPECT_EQ(sheetView(window)->size(), window.displaySurface().size());
        EXPECT_EQ(scrollBar->pageStep(), qRound(window.windowTwips().height() * 0.6));
    }
    for (int step = 1; step <= 4; ++step)
        button(window, u"Command12"_s)->click();
    EXPECT_DOUBLE_EQ(window.sheetViewTwips().width(), fitted.width());
    EXPECT_NEAR(window.sheetViewTwips().height(), fitted.height(), 0.01);
    EXPECT_NEAR(window.displayScale(), fitted.width() / window.sheetSurface().sizeTwips().width(),
                1e-12);
}

TEST(ZoomWindow, WithoutASheetTheViewStillResizesQuietly)
{
    TemporaryWorkspace folder;
    MainWindow window(folder.workspace());
    const QRectF before = window.sheetViewTwips();
    button(window, u"Command13"_s)->click();
    EXPECT_NEAR(window.sheetViewTwips().width(), before.width() / 1.1, 0.01);
    EXPECT_EQ(window.displaySurface().size(),
              workspace::twipsToPixels(window.sheetViewTwips().size()));
}
