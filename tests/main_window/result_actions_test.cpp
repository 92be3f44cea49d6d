// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/main_window.h"
#include "main_window/result_actions.h"
#include "modal_driver.h"
#include "temporary_workspace.h"
#include "workspace/text_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using main_window::MainWindow;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

const QList<QColor> kSheetColors = {Qt::red, Qt::green, Qt::blue};

void click(MainWindow& window, const QString& button)
{
    window.findChild<QPushButton*>(button)->click();
}

void typeNumber(MainWindow& window, const QString& text)
{
    auto* box = window.findChild<QLineEdit*>(u"Text1"_s);
    box->setText(text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
}

QString numberBox(MainWindow& window)
{
    return window.findChild<QLineEdit*>(u"Text1"_s)->text();
}

QColor shownColor(const MainWindow& window)
{
    const QImage picture = window.shownPicture();
    return picture.isNull() ? QColor() : picture.pixelColor(0, 0);
}

void writeMarkedSheets(const TemporaryWorkspace& folder)
{
    for (int sheet = 1; sheet <= 3; ++sheet)
        folder.writeImage(paths::markedSheet(sheet),
                          test_support::solidImage({100, 141}, kSheetColors[sheet - 1]));
}

// Receives the grade table instead of the desktop.
class OpenedFiles : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace

TEST(ResultActions, ComputingKeepsTheLastMarkedSheetInTheSheetSurface)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {400, 566});
    ASSERT_TRUE(QDir().mkpath(folder.path(paths::dataFolder())));
    ASSERT_TRUE(
        workspace::writeTextLines(folder.path(paths::regionFile()), {u"20,100,200,40"_s}).ok());
    ASSERT_TRUE(workspace::writeTextLines(folder.path(paths::scoreFile()), {u"3"_s, u"4"_s}).ok());
    ASSERT_TRUE(workspace::writeTextLines(folder.path(paths::commentFile()), {u""_s, u""_s}).ok());
    MainWindow window(folder.workspace());
    const QImage viewBefore = window.shownPicture();
    window.findChild<QCheckBox*>(u"chkJuni"_s)->setChecked(true);

    const std::shared_ptr<test_support::MessageLog> messages = test_support::answerMessageBoxes();
    click(window, u"Command5"_s);

    EXPECT_EQ(messages->texts, QStringList{u"hyoukaフォルダに採点結果を保存しました"_s});
    const QRect picture(0, 0, 400, 566);
    const QImage lastMarked(folder.path(paths::markedSheet(2)));
    EXPECT_EQ(window.sheetSurface().image().copy(picture).convertToFormat(QImage::Format_RGB32),
              lastMarked.copy(picture).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(window.sheetSurface().pictureSize(), QSize(400, 566));
    EXPECT_EQ(window.shownPicture(), viewBefore) << "the view is left as it was";
    EXPECT_TRUE(folder.exists(paths::gradeTable()));
}

TEST(ResultActions, BrowsingShowsTheMarkedSheetsInTheView)
{
    TemporaryWorkspace folder;
    writeMarkedSheets(folder);
    MainWindow window(folder.workspace());
    main_window::ResultActions& actions = window.resultActions();

    for (int press = 1; press <= 4; ++press)
        click(window, u"Command10"_s);
    EXPECT_EQ(shownColor(window), kSheetColors[2]);
    EXPECT_EQ(numberBox(window), u"3"_s);
    EXPECT_EQ(actions.resultNumber(), 3);

    typeNumber(window, u"2"_s);
    EXPECT_EQ(shownColor(window), kSheetColors[1]);
    EXPECT_EQ(numberBox(window), u"2"_s);

    typeNumber(window, u"7"_s);
    EXPECT_EQ(numberBox(window), QString());
    click(window, u"Command9"_s);
    EXPECT_EQ(actions.resultNumber(), 6);
    EXPECT_EQ(shownColor(window), kSheetColors[1]) << "nothing new is shown";

    typeNumber(window, u"0.5"_s);
    EXPECT_EQ(actions.resultNumber(), 0);
    window.resetResultNumber();
    click(window, u"Command10"_s);
    EXPECT_EQ(shownColor(window), kSheetColors[0]);
    EXPECT_EQ(numberBox(window), u"1"_s);
    EXPECT_TRUE(window.sheetSurface().isNull()) << "browsing leaves the sheet surface alone";
}

TEST(ResultActions, ResetStartsBrowsingAgainFromTheFirstSheet)
{
    TemporaryWorkspace folder;
    writeMarkedSheets(folder);
    MainWindow window(folder.workspace());
    click(window, u"Command10"_s);
    click(window, u"Command10"_s);
    ASSERT_EQ(window.resultActions().resultNumber(), 2);

    const std::shared_ptr<test_support::MessageLog> messages = test_support::answerMessageBoxes();
    click(window, u"Command14"_s);
    EXPECT_EQ(messages->texts, QStringList{u"初期化しました"_s});
    EXPECT_EQ(window.resultActions().resultNumber(), 0);
    click(window, u"Command10"_s);
    EXPECT_EQ(shownColor(window), kSheetColors[0]);
}

TEST(ResultActions, TheGradeTableOpensWithTheDesktopOrItsPathIsGiven)
{
    TemporaryWorkspace folder;
    MainWindow window(folder.workspace());
    OpenedFiles opened;
    QDesktopServices::setUrlHandler(u"file"_s, &opened, "open");
    click(window, u"Command11"_s);
    EXPECT_TRUE(opened.urls.isEmpty()) << "no table yet: nothing happens";

    folder.writeBytes(paths::gradeTable(), "\r\n");
    click(window, u"Command11"_s);
    QDesktopServices::unsetUrlHandler(u"file"_s);
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(folder.path(paths::gradeTable()))});

    // Offscreen there is no desktop to open it: the teacher is given the file's path.
    const std::shared_ptr<test_support::MessageLog> messages = test_support::answerMessageBoxes();
    click(window, u"Command11"_s);
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(
        messages->texts[0].contains(QDir::toNativeSeparators(folder.path(paths::gradeTable()))));
}

TEST(ResultActions, PrintingSendsOneJobPerMarkedSheetAndTheViewFollows)
{
    TemporaryWorkspace folder;
    writeMarkedSheets(folder);
    MainWindow window(folder.workspace());
    QTemporaryDir output;
    window.resultActions().setPrintDestination(results::PrintDestination::pdfFiles(output.path()));

    test_support::onNextModal([](QWidget* dialog) {
        EXPECT_EQ(dialog->objectName(), u"Form5"_s);
        dialog->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(u"B5"_s);
        dialog->findChild<QPushButton*>(u"Command1"_s)->click();
    });
    click(window, u"Command8"_s);

    EXPECT_EQ(QDir(output.path()).entryList({u"*.pdf"_s}, QDir::Files).size(), 3);
    EXPECT_EQ(shownColor(window), kSheetColors[2]) << "the view holds the last printed sheet";
    EXPECT_EQ(window.resultActions().printSettings(),
              (results::PrintSettings{results::PrintScope::MarkedSheets,
                                      QPageSize(QPageSize::JisB5), QPageLayout::Landscape}));
}

#include "result_actions_test.moc"
