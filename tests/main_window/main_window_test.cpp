// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_driver.h"
#include "temporary_workspace.h"

#include "main_window/main_window.h"
#include "main_window/main_window_geometry.h"
#include "workspace/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using main_window::MainWindow;
using test_support::TemporaryWorkspace;
using workspace::twipsToPixels;

namespace {

const std::pair<QString, QString> kButtons[] = {
    {u"Command2"_s, u"1.答案読込"_s},     {u"Command1"_s, u"2.切り取りUNDO"_s},
    {u"Command3"_s, u"3.切り取り終了"_s}, {u"Command7"_s, u"4.名簿割り当て"_s},
    {u"Command4"_s, u"5.点数振り分け"_s}, {u"Command5"_s, u"6.採点実行"_s},
    {u"Command13"_s, u"縮小"_s},          {u"Command12"_s, u"拡大"_s},
    {u"Command9"_s, u"<< 7.採点結果"_s},  {u"Command10"_s, u"7.採点結果 >>"_s},
    {u"Command8"_s, u"8.答案印刷"_s},     {u"Command11"_s, u"9.成績表"_s},
    {u"Command14"_s, u"10.初期化"_s},     {u"Command6"_s, u"終了"_s},
    {u"cmdKanten"_s, u"観点・統計"_s},
    {u"cmdPdf"_s, u"PDF出力"_s},
};

main_window::MainWindowGeometry expectedGeometry()
{
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    return main_window::mainWindowGeometry(QSizeF(screen) * 15.0);
}

} // namespace

TEST(MainWindow, StartsWithAnEmptyViewAndEveryControlWhenThereAreNoSheets)
{
    TemporaryWorkspace folder;
    MainWindow window(folder.workspace());

    EXPECT_EQ(window.objectName(), u"Form1"_s);
    EXPECT_EQ(window.windowTitle(), u"採点支援ソフト　「丸付け名人」　V1.6"_s);
    for (const auto& [name, caption] : kButtons) {
        auto* button = window.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name.toStdString();
        EXPECT_EQ(button->text(), caption);
        EXPECT_TRUE(button->isEnabled()) << name.toStdString();
        EXPECT_EQ(button->parentWidget()->objectName(), u"Frame1"_s);
    }
    auto* showRank = window.findChild<QCheckBox*>(u"chkJuni"_s);
    ASSERT_NE(showRank, nullptr);
    EXPECT_EQ(showRank->text(), u"順位表示"_s);
    EXPECT_FALSE(showRank->isChecked());
    ASSERT_NE(window.findChild<QLineEdit*>(u"Text1"_s), nullptr);
    ASSERT_NE(window.findChild<QScrollBar*>(u"VScroll1"_s), nullptr);
    ASSERT_NE(window.findChild<QWidget*>(u"Image1"_s), nullptr);

    EXPECT_TRUE(window.displaySurface().isNull());
    EXPECT_TRUE(window.sheetSurface().isNull());
    EXPECT_TRUE(QDir(folder.path(u"ini"_s)).exists());
    EXPECT_FALSE(folder.exists(u"undo_new.bmp"_s));
}

TEST(MainWindow, PlacesItsControlsByTheDesignTwips)
{
    TemporaryWorkspace folder;
    MainWindow window(folder.workspace());
    const main_window::MainWindowGeometry geometry = expectedGeometry();

    EXPECT_EQ(window.width(), twipsToPixels(geometry.window.width()));
    EXPECT_EQ(window.height(), twipsToPixels(geometry.window.height() - 345))
        << "the drawing area ends with the panel; the title bar takes the rest";
    EXPECT_EQ(window.findChild<QGroupBox*>(u"Frame1"_s)->geometry(), twipsToPixels(geometry.frame));
    EXPECT_EQ(window.findChild<QPushButton*>(u"Command2"_s)->geometry(), QRect(6, 12, 99, 22));
    EXPECT_EQ(window.findChild<QLineEdit*>(u"Text1"_s)->geometry(), QRect(94, 43, 25, 18));
    // In the free space after 10.初期化, on its row and of its height.
    EXPECT_EQ(window.findChild<QPushButton*>(u"cmdKanten"_s)->geometry(),
              twipsToPixels(QRectF(7900, 600, 1485, 330)));
    EXPECT_EQ(window.findChild<QPushButton*>(u"Command6"_s)->x(), twipsToPixels(geometry.exitLeft));
    EXPECT_EQ(window.findChild<QPushButton*>(u"Command6"_s)->y(), 39);
    EXPECT_EQ(window.findChild<QPushButton*>(u"Command13"_s)->x(),
              twipsToPixels(geometry.reduceLeft));
    EXPECT_EQ(window.findChild<QPushButton*>(u"Command12"_s)->x(),
              twipsToPixels(geometry.enlargeLeft));

    // The added button stands in the second row's free space, clear of every other control; the
    // exit button follows the window's width and clears it from a screen 1024 pixels wide on.
    const QRectF pdfTwips(9480, 600, 1485, 330);
    const QRect pdf = window.findChild<QPushButton*>(u"cmdPdf"_s)->geometry();
    EXPECT_EQ(pdf, twipsToPixels(pdfTwips));
    const QStringList followingTheWidth{u"cmdPdf"_s, u"Command6"_s};
    for (const QWidget* control :
         window.findChild<QGroupBox*>(u"Frame1"_s)
             ->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (followingTheWidth.contains(control->objectName()))
            continue;
        EXPECT_FALSE(control->geometry().intersects(pdf)) << control->objectName().toStdString();
    }
    const double exitLeft = main_window::mainWindowGeometry(QSizeF(1024, 768) * 15.0).exitLeft;
    EXPECT_FALSE(QRectF(exitLeft, 585, 1485, 330).intersects(pdfTwips));
}

TEST(MainWindow, ShowsTheFirstSheetFittedToTheWidthAndSavesTheCleanView)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {400, 800}, Qt::blue);
    MainWindow window(folder.workspace());
    const main_window::MainWindowGeometry geometry = expectedGeometry();

    const QRectF view = window.sheetViewTwips();
    EXPECT_EQ(view.width(), geometry.window.width() - 1000);
    EXPECT_DOUBLE_EQ(view.height(), view.width() * 2);
    EXPECT_EQ(view.left(), 500);
    EXPECT_EQ(view.top(), 0);

    auto* image1 = window.findChild<QWidget*>(u"Image1"_s);
    EXPECT_EQ(image1->geometry(), twipsToPixels(view));
    EXPECT_EQ(window.displaySurface().size(), image1->size());
    EXPECT_EQ(window.displaySurface().pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_EQ(window.sheetSurface().pictureSize(), QSize(400, 800));
    EXPECT_NEAR(window.displayScale(), view.width() / window.sheetSurface().sizeTwips().width(),
                1e-12);
    EXPECT_EQ(window.regions().regionCount, 0);
    EXPECT_FALSE(window.findChild<QPushButton*>(u"Command1"_s)->isEnabled());

    const QImage undo(folder.path(u"undo_new.bmp"_s));
    EXPECT_EQ(undo.size(), window.displaySurface().size());
}

TEST(MainWindow, TheScrollBarMovesTheViewToThreeMinusItsValue)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {300, 900});
    MainWindow window(folder.workspace());
    auto* scrollBar = window.findChild<QScrollBar*>(u"VScroll1"_s);
    const main_window::MainWindowGeometry geometry = expectedGeometry();

    const QRectF bar = main_window::sheetScrollBarRect(geometry.window.size(), 285);
    EXPECT_EQ(scrollBar->geometry(), twipsToPixels(bar));
    const workspace::ScrollSettings settings = main_window::sheetScrollSettings(
        window.sheetViewTwips().height(), bar.height(), geometry.window.height());
    EXPECT_EQ(scrollBar->maximum(), settings.maximum);
    EXPECT_EQ(scrollBar->pageStep(), settings.largeStep);
    EXPECT_EQ(scrollBar->singleStep(), settings.smallStep);
    EXPECT_FALSE(scrollBar->hasTracking());

    scrollBar->setValue(1503);
    EXPECT_EQ(window.sheetViewTwips().top(), -1500);
    EXPECT_EQ(window.findChild<QWidget*>(u"Image1"_s)->y(), -100);
}

TEST(MainWindow, AnUnreadableFirstSheetLeavesTheViewEmptyWithAMessage)
{
    TemporaryWorkspace folder;
    folder.writeBytes(u"touan/001.bmp"_s, "BM broken");
    auto messages = test_support::answerMessageBoxes();
    MainWindow window(folder.workspace());
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"001.bmp"_s));
    EXPECT_TRUE(window.displaySurface().isNull());
}

TEST(MainWindow, TheViewpointButtonOpensItsWindowInPlaceOfTheMainWindow)
{
    TemporaryWorkspace folder;
    MainWindow window(folder.workspace());
    window.show();
    auto* button = window.findChild<QPushButton*>(u"cmdKanten"_s);
    auto messages = test_support::answerMessageBoxes();
    button->click();
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"「3.切り取り終了」"_s));
    EXPECT_TRUE(window.isVisible());

    folder.writeBytes(u"ini/zahyo.txt"_s, "1,20,50,1\r\n");
    button->click();
    EXPECT_FALSE(window.isVisible());
    QWidget* opened = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == u"statisticsWindow"_s && widget->isVisible())
            opened = widget;
    ASSERT_NE(opened, nullptr);
    opened->close();
    EXPECT_TRUE(window.isVisible());
}
