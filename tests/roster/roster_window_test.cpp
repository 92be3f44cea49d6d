// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_driver.h"
#include "roster/roster_window.h"
#include "roster/stretched_image.h"
#include "temporary_workspace.h"
#include "workspace/limits.h"
#include "workspace/workspace_paths.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using roster::RosterWindow;
using test_support::TemporaryWorkspace;

namespace {

const QString kRoster = u"ini/meibo.txt"_s;

void writeCutouts(const TemporaryWorkspace& folder, std::initializer_list<int> sheets,
                  QSize size = {300, 60})
{
    for (int sheet : sheets)
        folder.writeImage(workspace::paths::cutoutImage(1, sheet),
                          test_support::solidImage(size, QColor(20 * sheet, 80, 160)));
}

template <typename Control>
Control* rowControl(const RosterWindow& window, const QString& name, int index)
{
    for (Control* control : window.findChildren<Control*>(name))
        if (control->property("index").toInt() == index)
            return control;
    return nullptr;
}

QLineEdit* nameBox(const RosterWindow& window, int index)
{
    return rowControl<QLineEdit>(window, u"Text1"_s, index);
}

QString frameTag(const RosterWindow& window, int index)
{
    return rowControl<QWidget>(window, u"picHaikei"_s, index)->property("tag").toString();
}

void click(const RosterWindow& window, const QString& button)
{
    window.findChild<QPushButton*>(button)->click();
}

void selectRow(const RosterWindow& window, int index)
{
    QTest::mouseClick(nameBox(window, index), Qt::LeftButton);
}

QStringList letters(int count)
{
    QStringList names;
    for (int index = 0; index < count; ++index)
        names.append(QString(QChar(u'A' + index)));
    return names;
}

QByteArray crlfLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// Chooses the file in the next file dialog; `whenChosen` runs just before the dialog closes, to
// prepare for what the choice opens next.
void chooseFileInNextDialog(const QString& path, std::function<void()> whenChosen = {})
{
    test_support::onNextModal([path, whenChosen](QWidget* dialog) {
        auto* fileDialog = qobject_cast<QFileDialog*>(dialog);
        if (!fileDialog) {
            ADD_FAILURE() << "expected the file dialog";
            dialog->close();
            return;
        }
        EXPECT_EQ(fileDialog->objectName(), u"CommonDialog1"_s);
        EXPECT_EQ(fileDialog->nameFilters(), QStringList{u"テキストファイル(*.txt)"_s});
        // Typed as the teacher would: selectFile() leaves the name box alone once it has the focus.
        fileDialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(path);
        if (whenChosen)
            whenChosen();
        // Through QDialog, where accept() is public; it still checks that the file exists.
        static_cast<QDialog*>(fileDialog)->accept();
        if (fileDialog->isVisible()) {
            ADD_FAILURE() << "the file dialog did not take " << path.toStdString();
            fileDialog->reject();
        }
    });
}

void answerNextQuestion(QMessageBox::StandardButton answer, QString* text = nullptr)
{
    test_support::onNextModal([answer, text](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) {
            ADD_FAILURE() << "expected a question";
            dialog->close();
            return;
        }
        if (text)
            *text = box->text();
        box->button(answer)->click();
    });
}

} // namespace

TEST(RosterWindow, ShowsOneRowPerCutoutInSheetOrderWithTheSavedNames)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2, 3, 4, 5, 7});
    folder.writeBytes(kRoster, crlfLines(letters(7)));
    RosterWindow window(folder.workspace());

    EXPECT_EQ(window.objectName(), u"Form4"_s);
    EXPECT_EQ(window.windowTitle(), u"名簿割り当て"_s);
    const std::pair<QString, QString> buttons[] = {
        {u"Command1"_s, u"名簿読み込み"_s}, {u"Command2"_s, u"→　取り出し"_s},
        {u"Command3"_s, u"←　　挿入　"_s},  {u"Command4"_s, u"割り当て終了"_s},
        {u"Command5"_s, u"縮小"_s},         {u"Command6"_s, u"拡大"_s},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(window.findChild<QPushButton*>(name)->text(), caption) << name.toStdString();
    for (const QString& swatch : {u"imgYellow"_s, u"imgGray"_s, u"imgBlue"_s})
        EXPECT_TRUE(window.findChild<QWidget*>(swatch)->isHidden()) << swatch.toStdString();
    EXPECT_EQ(window.focusWidget(), window.findChild<QWidget*>(u"Picture1"_s));

    // Sheet 6 is missing, so sheet 7 gets no row and the roster's last two lines are dropped.
    EXPECT_EQ(window.rowCount(), 5);
    EXPECT_EQ(window.findChildren<QLineEdit*>(u"Text1"_s).size(), 5);
    EXPECT_EQ(window.names(), letters(5));
    for (int index = 0; index < 5; ++index)
        EXPECT_EQ(frameTag(window, index), u"gray"_s);

    // 300 × 60 pixels make 4523.1 × 904.8 twips; rows advance by 955 twips.
    auto* secondImage = rowControl<roster::StretchedImage>(window, u"picKaitou"_s, 1);
    EXPECT_EQ(secondImage->geometry(), QRect(3, 64, 302, 60));
    EXPECT_EQ(secondImage->picture().pixelColor(0, 0), QColor(40, 80, 160));
    EXPECT_EQ(nameBox(window, 1)->geometry(), QRect(308, 68, 103, 19));
    EXPECT_EQ(rowControl<QWidget>(window, u"picHaikei"_s, 1)->geometry(), QRect(305, 64, 110, 26));
}

TEST(RosterWindow, ARosterShorterThanTheRowsLeavesTheLaterBoxesEmpty)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2, 3});
    folder.writeBytes(kRoster, "\"Ito, Ken\"\r\nB\r\n");
    RosterWindow window(folder.workspace());
    EXPECT_EQ(window.names(), (QStringList{u"\"Ito, Ken\""_s, u"B"_s, QString()}));
}

TEST(RosterWindow, WithoutCutoutsTheTemplateRowStandsAndSavesOneLine)
{
    TemporaryWorkspace folder;
    folder.writeBytes(kRoster, "X\r\nY\r\n");
    QPointer<RosterWindow> window = new RosterWindow(folder.workspace());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();

    EXPECT_EQ(window->rowCount(), 1);
    EXPECT_EQ(window->names(), QStringList{u"X"_s});
    EXPECT_EQ(nameBox(*window, 0)->geometry(), QRect(294, 18, 103, 19));
    EXPECT_EQ(rowControl<QWidget>(*window, u"picKaitou"_s, 0)->geometry(), QRect(3, 15, 286, 43));
    auto* canvas = window->findChild<QWidget*>(u"Picture1"_s);
    const int canvasHeight = canvas->height();
    EXPECT_GE(canvasHeight, 58);

    // With no cut-outs to lay out, zooming leaves the template where it was designed.
    click(*window, u"Command6"_s);
    EXPECT_EQ(nameBox(*window, 0)->geometry(), QRect(294, 18, 103, 19));
    EXPECT_EQ(canvas->height(), canvasHeight);

    nameBox(*window, 0)->setText(u"Z"_s);
    click(*window, u"Command4"_s);
    EXPECT_EQ(folder.readBytes(kRoster), "Z\r\n");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(RosterWindow, ShowsAtMostTheSheetsTheRosterFileMayHold)
{
    TemporaryWorkspace folder;
    const QImage tiny = test_support::solidImage({4, 2}, Qt::gray);
    for (int sheet = 1; sheet <= workspace::kMaxSheets + 1; ++sheet)
        folder.writeImage(workspace::paths::cutoutImage(1, sheet), tiny);

    const auto messages = test_support::answerMessageBoxes();
    RosterWindow window(folder.workspace());
    EXPECT_EQ(window.rowCount(), workspace::kMaxSheets);
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"501"_s));
}

TEST(RosterWindow, ZoomResizesTheImagesFromTheirFilesAndClearsTheSelection)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2, 3});
    RosterWindow window(folder.workspace());
    auto* scrollBar = window.findChild<QScrollBar*>(u"VScroll1"_s);
    const int pageStep = scrollBar->pageStep();
    selectRow(window, 1);
    ASSERT_EQ(window.selectedRow(), 1);

    // A cut-out replaced on disk is shown at its new size by the next zoom step.
    writeCutouts(folder, {2}, {600, 120});
    click(window, u"Command6"_s);
    EXPECT_EQ(window.zoomFactor(), 1.1f);
    EXPECT_EQ(window.selectedRow(), std::nullopt);
    EXPECT_EQ(rowControl<QWidget>(window, u"picKaitou"_s, 0)->size(), QSize(332, 66));
    EXPECT_EQ(rowControl<QWidget>(window, u"picKaitou"_s, 1)->size(), QSize(663, 133));
    EXPECT_EQ(nameBox(window, 0)->x(), 338); // 45 + 4975.4 + 50 twips

    click(window, u"Command5"_s);
    EXPECT_EQ(window.zoomFactor(), 0.99f);
    EXPECT_EQ(rowControl<QWidget>(window, u"picKaitou"_s, 0)->size(), QSize(299, 60));
    EXPECT_EQ(scrollBar->pageStep(), pageStep);
}

TEST(RosterWindow, TakeOutAndInsertMoveNamesThroughTheHoldingBox)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2, 3, 4});
    folder.writeBytes(kRoster, crlfLines(letters(4)));
    RosterWindow window(folder.workspace());
    auto* holdingBox = window.findChild<QLineEdit*>(u"Text2"_s);

    // Without a selected row neither button does anything.
    click(window, u"Command2"_s);
    click(window, u"Command3"_s);
    EXPECT_EQ(window.names(), letters(4));
    EXPECT_TRUE(holdingBox->text().isEmpty());

    selectRow(window, 1);
    selectRow(window, 1);
    EXPECT_EQ(frameTag(window, 1), u"yellow"_s);
    EXPECT_EQ(frameTag(window, 0), u"gray"_s);
    click(window, u"Command2"_s);
    EXPECT_EQ(holdingBox->text(), u"B"_s);
    EXPECT_EQ(window.names(), (QStringList{u"A"_s, u"C"_s, u"D"_s, QString()}));
    click(window, u"Command3"_s);
    EXPECT_EQ(window.names(), letters(4));
    EXPECT_EQ(holdingBox->text(), u"B"_s);
    EXPECT_EQ(window.selectedRow(), 1);
}

TEST(RosterWindow, LoadsARosterFileInUtf8OrShiftJisToTheSameNames)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2, 3, 4});
    folder.writeBytes(kRoster, crlfLines(letters(4)));
    // 山田表ソ, 佐藤,花子 and "鈴木" 一郎: three lines for four rows.
    const QByteArray codePage = "\x8E\x52\x93\x63\x95\x5C\x83\x5C\r\n\x8D\xB2\x93\xA1\x2C\x89\xD4"
                                "\x8E\x71\r\n\"\x97\xE9\x96\xD8\" \x88\xEA\x98\x59\r\n";
    const QStringList expected{u"山田表ソ"_s, u"佐藤,花子"_s, u"\"鈴木\" 一郎"_s, u"D"_s};
    folder.writeBytes(u"class-sjis.txt"_s, codePage);
    folder.writeBytes(u"class-utf8.txt"_s,
                      "\xEF\xBB\xBF" + expected.mid(0, 3).join(u'\n').toUtf8() + "\n");

    for (const QString& file : {u"class-sjis.txt"_s, u"class-utf8.txt"_s}) {
        RosterWindow window(folder.workspace());
        selectRow(window, 2);
        chooseFileInNextDialog(folder.path(file));
        click(window, u"Command1"_s);
        EXPECT_EQ(window.names(), expected) << file.toStdString();
        EXPECT_EQ(window.selectedRow(), 2);

        click(window, u"Command4"_s);
        EXPECT_EQ(folder.readBytes(kRoster), codePage + "D\r\n") << file.toStdString();
        folder.writeBytes(kRoster, crlfLines(letters(4)));
    }
}

TEST(RosterWindow, ARosterFileThatCannotBeReadChangesNothing)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2});
    folder.writeBytes(u"broken.txt"_s, "A\r\n\x81\r\n");
    RosterWindow window(folder.workspace());
    nameBox(window, 0)->setText(u"typed"_s);

    std::shared_ptr<test_support::MessageLog> messages;
    chooseFileInNextDialog(folder.path(u"broken.txt"_s),
                           [&messages] { messages = test_support::answerMessageBoxes(); });
    click(window, u"Command1"_s);
    ASSERT_NE(messages, nullptr);
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"broken.txt"_s));
    EXPECT_TRUE(messages->texts[0].contains(u"2行目"_s));
    EXPECT_EQ(window.names(), (QStringList{u"typed"_s, QString()}));
}

TEST(RosterWindow, ClosingByTheCloseBoxAsksOnlyAfterEdits)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2});
    const QByteArray stored = "A\r\nB\r\nC\r\n";
    folder.writeBytes(kRoster, stored);

    {
        RosterWindow window(folder.workspace());
        window.show();
        bool closed = false;
        QObject::connect(&window, &RosterWindow::closed, [&closed] { closed = true; });
        EXPECT_TRUE(window.close());
        EXPECT_TRUE(closed);
        EXPECT_EQ(folder.readBytes(kRoster), stored);
    }
    {
        RosterWindow window(folder.workspace());
        window.show();
        nameBox(window, 1)->setText(u"E"_s);
        answerNextQuestion(QMessageBox::Cancel);
        EXPECT_FALSE(window.close());
        EXPECT_TRUE(window.isVisible());

        QString question;
        answerNextQuestion(QMessageBox::Discard, &question);
        EXPECT_TRUE(window.close());
        EXPECT_TRUE(question.contains(u"保存"_s));
        EXPECT_EQ(folder.readBytes(kRoster), stored);
    }
    {
        RosterWindow window(folder.workspace());
        window.show();
        nameBox(window, 1)->setText(u"E"_s);
        answerNextQuestion(QMessageBox::Save);
        EXPECT_TRUE(window.close());
        EXPECT_EQ(folder.readBytes(kRoster), "A\r\nE\r\n");
    }
}

TEST(RosterWindow, ANameTheCodePageCannotHoldIsReportedWithItsRowAndNothingIsWritten)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2, 3});
    const QByteArray stored = "A\r\nB\r\nC\r\n";
    folder.writeBytes(kRoster, stored);
    RosterWindow window(folder.workspace());
    window.show();
    nameBox(window, 1)->setText(u"𠮷田"_s);

    const auto messages = test_support::answerMessageBoxes();
    click(window, u"Command4"_s);
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"2行目"_s)) << messages->texts[0].toStdString();
    EXPECT_TRUE(messages->texts[0].contains(u"𠮷"_s));
    EXPECT_EQ(folder.readBytes(kRoster), stored);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.selectedRow(), 1);

    answerNextQuestion(QMessageBox::Discard);
    window.close();
}

TEST(RosterWindow, ALineBreakPastedIntoANameBecomesASpace)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 2});
    RosterWindow window(folder.workspace());
    nameBox(window, 0)->insert(u"山田\r\n太郎"_s);
    EXPECT_EQ(window.names(), (QStringList{u"山田 太郎"_s, QString()}));
}

TEST(RosterWindow, ScrollKeysInTheCanvasAndTheNameBoxesMoveTheRows)
{
    TemporaryWorkspace folder;
    std::initializer_list<int> sheets{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    writeCutouts(folder, sheets, {300, 200});
    RosterWindow window(folder.workspace());
    auto* scrollBar = window.findChild<QScrollBar*>(u"VScroll1"_s);
    auto* canvas = window.findChild<QWidget*>(u"Picture1"_s);
    const int page = scrollBar->pageStep();
    const int step = scrollBar->singleStep();
    ASSERT_GT(scrollBar->maximum(), page + step);
    // The canvas follows the rows: the last row's bottom lies within it.
    EXPECT_GE(canvas->height(),
              rowControl<QWidget>(window, u"picKaitou"_s, 11)->geometry().bottom());
    EXPECT_EQ(scrollBar->maximum(), canvas->height() - scrollBar->height());

    QTest::keyClick(canvas, Qt::Key_PageDown);
    EXPECT_EQ(scrollBar->value(), page);
    EXPECT_EQ(canvas->y(), 10 - page);
    QTest::keyClick(nameBox(window, 3), Qt::Key_Down);
    EXPECT_EQ(scrollBar->value(), page + step);
    QTest::keyClick(nameBox(window, 3), Qt::Key_Home);
    QTest::keyClick(canvas, Qt::Key_Left);
    EXPECT_EQ(scrollBar->value(), page + step);
    QTest::keyClick(nameBox(window, 3), Qt::Key_PageUp);
    QTest::keyClick(nameBox(window, 3), Qt::Key_Up);
    EXPECT_EQ(scrollBar->value(), 0);

    scrollBar->setValue(scrollBar->maximum());
    QTest::keyClick(canvas, Qt::Key_PageDown);
    EXPECT_EQ(scrollBar->value(), scrollBar->maximum());
    EXPECT_EQ(canvas->y(), 10 - scrollBar->maximum());

    // The key still reaches the box: typing after the scroll keys lands in it.
    QTest::keyClicks(nameBox(window, 3), u"ab"_s);
    EXPECT_EQ(nameBox(window, 3)->text(), u"ab"_s);
}

TEST(RosterWindow, ACutoutThatCannotBeReadLeavesItsRowUsable)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1, 3});
    folder.writeBytes(workspace::paths::cutoutImage(1, 2), "BM not a bitmap");
    folder.writeBytes(kRoster, crlfLines(letters(3)));
    RosterWindow window(folder.workspace());

    EXPECT_EQ(window.rowCount(), 3);
    EXPECT_EQ(window.names(), letters(3));
    auto* image = rowControl<roster::StretchedImage>(window, u"picKaitou"_s, 1);
    EXPECT_TRUE(image->picture().isNull());
    EXPECT_EQ(image->size(), QSize(286, 43));
    selectRow(window, 1);
    EXPECT_EQ(window.selectedRow(), 1);
}

TEST(RosterWindow, OpensInPlaceOfTheMainWindowAndShowsItAgainOnClosing)
{
    TemporaryWorkspace folder;
    writeCutouts(folder, {1});
    QWidget mainWindow;
    mainWindow.show();

    QPointer<RosterWindow> window = roster::openRosterWindow(&mainWindow, folder.workspace());
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());

    nameBox(*window, 0)->setText(u"A"_s);
    click(*window, u"Command4"_s);
    EXPECT_TRUE(mainWindow.isVisible());
    EXPECT_EQ(folder.readBytes(kRoster), "A\r\n");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}
