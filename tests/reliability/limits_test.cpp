// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_driver.h"
#include "temporary_workspace.h"

#include "grading/grading_window.h"
#include "grading/grid_canvas.h"
#include "grading/open_grading.h"
#include "grading/picture_box.h"
#include "main_window/main_window.h"
#include "main_window/main_window_geometry.h"
#include "roster/roster_window.h"
#include "steps/answer_cutting.h"
#include "steps/result_computation.h"
#include "steps/sheet_import.h"
#include "workspace/limits.h"
#include "workspace/region_file.h"
#include "workspace/text_file.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::solidImage;
using test_support::TemporaryWorkspace;
using workspace::RegionRect;
namespace paths = workspace::paths;

// The edges of the program's tables and of the 16-bit numbers the files hold: each is handled
// without a crash, without a write past a table's end, and with a message where it is refused.

namespace {

constexpr int kSixteenBits = 32767;

void writeLines(const TemporaryWorkspace& folder, const QString& relative, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(folder.path(relative)).path());
    ASSERT_TRUE(workspace::writeTextLines(folder.path(relative), lines).ok());
}

void writeRegions(const TemporaryWorkspace& folder, const QList<RegionRect>& regions)
{
    QDir().mkpath(folder.path(paths::dataFolder()));
    ASSERT_TRUE(workspace::writeRegions(folder.path(paths::regionFile()), regions).ok());
}

// `count` small regions in a row across the top of a sheet.
QList<RegionRect> smallRegions(int count)
{
    QList<RegionRect> regions;
    for (int region = 0; region < count; ++region)
        regions.append({qint16(region * 3), 12, qint16(region * 3 + 2), 10});
    return regions;
}

template <typename Control> Control* indexed(const QWidget* root, const QString& name, int index)
{
    for (Control* candidate : root->findChildren<Control*>(name))
        if (candidate->property("index").toInt() == index)
            return candidate;
    return nullptr;
}

QList<workspace::Status> runEach(int count, const workspace::IndexedWork& work)
{
    return workspace::runInParallel(count, work);
}

// The grading window over a workspace, deleted with the fixture.
class OpenGradingWindow {
public:
    explicit OpenGradingWindow(const TemporaryWorkspace& folder)
        : m_window(grading::openGradingWindow(folder.workspace(), &m_main))
    {
    }
    ~OpenGradingWindow()
    {
        if (m_window) {
            m_window->setAttribute(Qt::WA_DeleteOnClose, false);
            delete m_window.data();
        }
    }

    [[nodiscard]] grading::GradingWindow* operator->() const { return m_window.data(); }
    [[nodiscard]] bool isOpen() const { return !m_window.isNull(); }

    void chooseRegion(int region) const
    {
        QTest::mouseClick(indexed<QLabel>(m_window, u"Label1"_s, region - 1), Qt::LeftButton);
    }
    template <typename Control> [[nodiscard]] Control* panel(const QString& name) const
    {
        return m_window->findChild<QWidget*>(u"Picture3"_s)->findChild<Control*>(name);
    }
    [[nodiscard]] QRect answerImage(int index) const
    {
        return indexed<grading::PictureBox>(m_window, u"picKaitou"_s, index)->geometry();
    }

private:
    QWidget m_main;
    QPointer<grading::GradingWindow> m_window;
};

} // namespace

TEST(Limits, AHundredAndOneRegionsAreCutGradedAndCountedAndTheNextIsRefused)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {400, 100});
    const QList<RegionRect> regions = smallRegions(workspace::kMaxRegions);
    writeRegions(folder, regions);
    steps::AnswerCutting cutting(folder.workspace(), regions);
    ASSERT_TRUE(cutting.prepare().ok());
    for (const workspace::Status& cut :
         runEach(cutting.sheetCount(), [&](int index) { return cutting.cut(index); }))
        EXPECT_TRUE(cut.ok()) << cut.error().toStdString();
    EXPECT_TRUE(folder.exists(u"furiwake/101/002.bmp"_s));

    {
        const OpenGradingWindow window(folder);
        ASSERT_TRUE(window.isOpen());
        EXPECT_EQ(indexed<QLabel>(window.operator->(), u"Label1"_s, 100)->text(), u"問１０１"_s);
        window.chooseRegion(101);
        EXPECT_EQ(window->state().currentRegion(), 101);
    }

    writeLines(folder, paths::scoreFile(),
               {QStringList(101, u"1"_s).join(u','), QString(100, u',')});
    writeLines(folder, paths::commentFile(), {QString(100, u','), QString(100, u',')});
    const steps::ResultOutcome outcome = steps::computeResults(
        folder.workspace(), steps::RankDisplay::Hidden, QSize(400, 100), runEach);
    EXPECT_EQ(outcome.status, steps::ResultStatus::Saved) << outcome.message.toStdString();
    const workspace::Expected<QStringList> table =
        workspace::readTextLines(folder.path(paths::gradeTable()), 10);
    ASSERT_TRUE(table);
    EXPECT_TRUE(table->first().endsWith(u"領域101,"_s));
    EXPECT_TRUE(table->at(1).startsWith(u"\"\",101,1,"_s));

    writeRegions(folder, smallRegions(workspace::kMaxRegions + 1));
    const auto messages = test_support::answerMessageBoxes();
    const OpenGradingWindow refused(folder);
    EXPECT_FALSE(refused.isOpen());
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"zahyo.txt"_s));
    EXPECT_TRUE(messages->texts[0].contains(u"102行目"_s));
}

TEST(Limits, FiveHundredSheetsAreGradedAndCountedToTheLast)
{
    TemporaryWorkspace folder;
    folder.writeSheets(workspace::kMaxSheets, {8, 8});
    writeRegions(folder, {{1, 5, 6, 1}});
    {
        const OpenGradingWindow window(folder);
        ASSERT_TRUE(window.isOpen());
        window.chooseRegion(1);
        QLineEdit* last = indexed<QLineEdit>(window.operator->(), u"txtPoint"_s, 499);
        ASSERT_NE(last, nullptr);
        last->setText(u"7"_s);
        window.panel<QPushButton>(u"Command1"_s)->click();
    }
    const workspace::Expected<QStringList> scores =
        workspace::readTextLines(folder.path(paths::scoreFile()), workspace::kMaxSheets);
    ASSERT_TRUE(scores);
    ASSERT_EQ(scores->size(), workspace::kMaxSheets);
    EXPECT_EQ(scores->last(), u"7"_s);

    writeLines(folder, paths::commentFile(), QStringList(workspace::kMaxSheets, QString()));
    const steps::ResultOutcome outcome =
        steps::computeResults(folder.workspace(), steps::RankDisplay::Shown, QSize(8, 8), runEach);
    EXPECT_EQ(outcome.status, steps::ResultStatus::Saved) << outcome.message.toStdString();
    EXPECT_TRUE(folder.exists(paths::markedSheet(workspace::kMaxSheets)));
    const workspace::Expected<QStringList> table =
        workspace::readTextLines(folder.path(paths::gradeTable()), 1000);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->last(), u"\"\",7,1,7"_s);
    EXPECT_EQ(table->at(1), u"\"\",0,2,"_s);
}

TEST(Limits, RegionsAtTheEdgesOfSixteenBitsAreCutDrawnAndLaidOutOrRefusedByName)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {50, 40});
    const QList<RegionRect> regions{
        {32700, kSixteenBits, kSixteenBits, 32700},   // beyond the sheet's bottom-right
        {-32768, -32700, -32700, -32768},             // beyond its top-left
        {-32768, kSixteenBits, kSixteenBits, -32768}, // 65535 pixels square
        {10, 30, 40, 20},
    };
    writeRegions(folder, regions);

    steps::AnswerCutting cutting(folder.workspace(), regions);
    ASSERT_TRUE(cutting.prepare().ok());
    const workspace::Status cut = cutting.cut(0);
    ASSERT_FALSE(cut.ok());
    EXPECT_TRUE(cut.error().contains(u"003/001.bmp"_s)) << cut.error().toStdString();
    EXPECT_EQ(QImage(folder.path(paths::cutoutImage(1, 1))).size(), QSize(67, 67));
    EXPECT_EQ(QImage(folder.path(paths::cutoutImage(2, 1))).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_FALSE(folder.exists(paths::cutoutImage(3, 1)));
    EXPECT_TRUE(folder.exists(paths::cutoutImage(4, 1)));

    writeLines(folder, paths::scoreFile(), {u"1,2,3,4"_s});
    writeLines(folder, paths::commentFile(), {u"a,b,c,d"_s});
    const steps::ResultOutcome outcome = steps::computeResults(
        folder.workspace(), steps::RankDisplay::Shown, QSize(50, 40), runEach);
    EXPECT_EQ(outcome.status, steps::ResultStatus::Saved) << outcome.message.toStdString();
    EXPECT_FALSE(QImage(folder.path(paths::markedSheet(1))).isNull());

    const OpenGradingWindow window(folder);
    ASSERT_TRUE(window.isOpen());
    for (int region = 1; region <= regions.size(); ++region) {
        window.chooseRegion(region);
        EXPECT_EQ(window.answerImage(0).size(),
                  QSize(regions[region - 1].width(), regions[region - 1].height()));
    }
}

TEST(Limits, AnswersWiderOrTallerThanSixteenBitsOfTwipsLayOutWhereTheyBelong)
{
    // 2185 pixels are 32775 twips: past a 16-bit number of twips.
    for (const QSize answer : {QSize(2185, 40), QSize(40, 2185)}) {
        SCOPED_TRACE(answer.width());
        TemporaryWorkspace folder;
        folder.writeSheets(3, {8, 8});
        writeRegions(folder, {{0, qint16(answer.height()), qint16(answer.width()), 0}});
        for (int sheet = 1; sheet <= 3; ++sheet)
            folder.writeImage(paths::cutoutImage(1, sheet), solidImage(answer, Qt::gray));
        const OpenGradingWindow window(folder);
        ASSERT_TRUE(window.isOpen());
        window.panel<QLineEdit>(u"Text1"_s)->setText(u"2"_s);
        window.panel<QPushButton>(u"cmdUp"_s)->click();
        window.chooseRegion(1);

        // Three columns: the second cell stands right of the first, the third right of that.
        const QRect first = window.answerImage(0);
        EXPECT_EQ(first.size(), answer);
        EXPECT_GT(window.answerImage(1).left(), first.right());
        EXPECT_GT(window.answerImage(2).left(), window.answerImage(1).right());
        EXPECT_EQ(window.answerImage(2).top(), first.top());
        const auto* horizontal = window->findChild<QScrollBar*>(u"HScroll1"_s);
        EXPECT_GE(horizontal->maximum() + horizontal->width(), window.answerImage(2).right());
    }
}

TEST(Limits, ColumnsBeyondTheSixteenBitRowKeepGoingRight)
{
    // A 60-pixel answer is 900 twips: with comments a column takes 2900, so the 18th starts past
    // 32767; without them 1400, so the 67th does at 66 × 500 twips of gaps alone.
    const struct {
        bool comments;
        int columns;
    } cases[] = {{true, 18}, {false, 67}};
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.columns);
        TemporaryWorkspace folder;
        folder.writeSheets(testCase.columns, {8, 8});
        writeRegions(folder, {{0, 20, 60, 0}});
        const OpenGradingWindow window(folder);
        ASSERT_TRUE(window.isOpen());
        if (testCase.comments)
            window.panel<QCheckBox>(u"Check2"_s)->click();
        window.panel<QLineEdit>(u"Text1"_s)->setText(QString::number(testCase.columns - 1));
        window.panel<QPushButton>(u"cmdUp"_s)->click();
        window.chooseRegion(1);

        for (int index = 1; index < testCase.columns; ++index) {
            EXPECT_GT(window.answerImage(index).left(), window.answerImage(index - 1).right())
                << index;
            EXPECT_EQ(window.answerImage(index).top(), window.answerImage(0).top()) << index;
        }
        EXPECT_GT(window.answerImage(testCase.columns - 1).left(), kSixteenBits / 15);
    }
}

TEST(Limits, SheetNumbersFromOneThousandAreImportedCutAndBrowsedInFull)
{
    TemporaryWorkspace folder;
    for (int scan = 1; scan <= 1001; ++scan)
        folder.writeImage(u"scans/scan%1.bmp"_s.arg(scan), solidImage({6, 4}, Qt::white));
    steps::SheetImport import(folder.workspace(), folder.path(u"scans"_s));
    ASSERT_TRUE(import.prepare(QDateTime::currentDateTime()).ok());
    const steps::ImportOutcome imported = import.finish(
        runEach(int(import.pages().size()), [&](int index) { return import.convert(index); }));
    EXPECT_TRUE(imported.skipped.isEmpty());
    EXPECT_TRUE(imported.notStored.isEmpty());
    EXPECT_EQ(imported.sheetCount, 1001);
    EXPECT_EQ(folder.workspace().sheetCount(), 1001);
    EXPECT_TRUE(folder.exists(u"touan/1000.bmp"_s));

    steps::AnswerCutting cutting(folder.workspace(), {{0, 2, 3, 0}});
    ASSERT_TRUE(cutting.prepare().ok());
    EXPECT_TRUE(cutting.cut(999).ok());
    EXPECT_TRUE(folder.exists(u"furiwake/001/1000.bmp"_s));

    folder.writeImage(u"hyouka/1000.bmp"_s, solidImage({6, 4}, Qt::red));
    main_window::MainWindow window(folder.workspace());
    auto* number = window.findChild<QLineEdit*>(u"Text1"_s);
    number->setText(u"1000"_s);
    QTest::keyClick(number, Qt::Key_Return);
    EXPECT_EQ(window.shownPicture().convertToFormat(QImage::Format_RGB32).pixel(0, 0),
              qRgb(255, 0, 0));
    EXPECT_EQ(number->text(), u"1000"_s);
}

TEST(Limits, AnEmptySheetFolderLeavesEveryStepWithItsMessageAndNoCrash)
{
    TemporaryWorkspace folder;
    QDir().mkpath(folder.path(paths::sheetFolder()));
    main_window::MainWindow window(folder.workspace());
    window.show();
    const auto click = [&window](const QString& name) {
        const auto answers = test_support::answerMessageBoxes(1);
        window.findChild<QPushButton*>(name)->click();
        return answers->texts;
    };

    EXPECT_EQ(click(u"Command3"_s), QStringList{u"切り取り作業が完了しました"_s});
    EXPECT_EQ(folder.readBytes(paths::regionFile()), QByteArray());

    const QPointer<grading::GradingWindow> grading =
        grading::openGradingWindow(folder.workspace(), &window);
    ASSERT_NE(grading, nullptr);
    EXPECT_EQ(grading->state().tables().sheetCount(), 0);
    grading->findChild<QWidget*>(u"Picture3"_s)->findChild<QPushButton*>(u"Command1"_s)->click();
    EXPECT_EQ(folder.readBytes(paths::scoreFile()), QByteArray());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(grading.isNull());

    writeLines(folder, paths::commentFile(), {});
    const QStringList computed = click(u"Command5"_s);
    ASSERT_EQ(computed.size(), 1);
    EXPECT_TRUE(computed[0].contains(u"001.bmp"_s)) << computed[0].toStdString();

    EXPECT_EQ(click(u"Command14"_s), QStringList{u"初期化しました"_s});
    EXPECT_TRUE(window.displaySurface().isNull());
}

TEST(Limits, ScrollRangesPastSixteenBitsReachTheEnd)
{
    TemporaryWorkspace folder;
    // Ten times as tall as wide: the view is far more than 32767 twips tall.
    folder.writeSheets(1, {100, 1000});
    main_window::MainWindow window(folder.workspace());
    auto* sheetBar = window.findChild<QScrollBar*>(u"VScroll1"_s);
    const QRectF barTwips = main_window::sheetScrollBarRect(window.windowTwips().size(), 285);
    EXPECT_GT(sheetBar->maximum(), kSixteenBits);
    EXPECT_EQ(sheetBar->maximum(), qRound(window.sheetViewTwips().height() - barTwips.height()));
    sheetBar->setValue(sheetBar->maximum());
    EXPECT_EQ(window.sheetViewTwips().top(), 3 - sheetBar->maximum());

    // Forty answers a thousand pixels tall, in the roster window and in the grading window.
    TemporaryWorkspace tall;
    tall.writeSheets(40, {8, 8});
    writeRegions(tall, {{0, 1000, 10, 0}});
    for (int sheet = 1; sheet <= 40; ++sheet)
        tall.writeImage(paths::cutoutImage(1, sheet), solidImage({10, 1000}, Qt::gray));

    roster::RosterWindow roster(tall.workspace());
    auto* rosterBar = roster.findChild<QScrollBar*>(u"VScroll1"_s);
    EXPECT_GT(rosterBar->maximum(), kSixteenBits);
    for (int press = 0; press < 200 && rosterBar->value() < rosterBar->maximum(); ++press)
        QTest::keyClick(indexed<QLineEdit>(&roster, u"Text1"_s, 0), Qt::Key_PageDown);
    EXPECT_EQ(rosterBar->value(), rosterBar->maximum());
    const QWidget* lastName = indexed<QLineEdit>(&roster, u"Text1"_s, 39);
    EXPECT_LE(lastName->mapTo(&roster, QPoint(0, 0)).y(), rosterBar->height());

    const OpenGradingWindow grading(tall);
    ASSERT_TRUE(grading.isOpen());
    grading.chooseRegion(1);
    auto* gridBar = grading->findChild<QScrollBar*>(u"VScroll2"_s);
    EXPECT_GT(gridBar->maximum(), kSixteenBits);
    for (int press = 0; press < 200 && gridBar->value() < gridBar->maximum(); ++press)
        QTest::keyClick(grading->canvas(), Qt::Key_PageDown);
    EXPECT_EQ(gridBar->value(), gridBar->maximum());
    EXPECT_EQ(grading->canvas()->y(), 3 - gridBar->maximum());
}
