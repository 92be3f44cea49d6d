// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_drawing.h"
#include "exam_fixture.h"
#include "grading/grading_window.h"
#include "grading/grid_canvas.h"
#include "grading/journal_recovery.h"
#include "grading/open_grading.h"
#include "grading/picture_box.h"
#include "grading/score_palette.h"
#include "imaging/derived_bmp_saving.h"
#include "modal_driver.h"
#include "temporary_workspace.h"
#include "workspace/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <set>

using namespace Qt::Literals::StringLiterals;
using grading::GradingWindow;
using grading::PictureBox;
using grading_test::Exam;
using grading_test::regionOfSize;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

// The element `index` of a control array: the controls share an objectName.
template <typename Control>
Control* control(const QWidget* root, const QString& name, int index = -1)
{
    for (Control* candidate : root->findChildren<Control*>(name))
        if (index < 0 || candidate->property("index").toInt() == index)
            return candidate;
    return nullptr;
}

void click(QWidget* widget, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, modifiers);
}

// A click on a check box's own box: a short caption leaves the middle of its control empty.
void tick(QCheckBox* box)
{
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

QString tagOf(const GradingWindow* window, int index)
{
    return control<PictureBox>(window, u"picHaikei"_s, index)->tag();
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Clicks the button with the given text on the next modal dialog.
void answerNextDialogWith(const QString& buttonText)
{
    test_support::onNextModal([buttonText](QWidget* dialog) {
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        dialog->close();
    });
}

class GradingWindowTest : public ::testing::Test {
protected:
    void open(const Exam& exam)
    {
        exam.write(m_folder);
        openWrittenFolder();
    }

    void openWrittenFolder()
    {
        m_main.show();
        m_window = grading::openGradingWindow(m_folder.workspace(), &m_main);
        ASSERT_NE(m_window, nullptr);
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->setAttribute(Qt::WA_DeleteOnClose, false);
            delete m_window.data();
        }
    }

    [[nodiscard]] grading::GridCanvas* canvas() const { return m_window->canvas(); }
    [[nodiscard]] grading::ScorePalette* palette() const { return m_window->scorePalette(); }
    void chooseRegion(int region) { click(control<QLabel>(m_window, u"Label1"_s, region - 1)); }
    void pressKey(int key) { QTest::keyClick(canvas(), Qt::Key(key)); }
    void finish() { click(panelControl<QPushButton>(u"Command1"_s)); }

    // A control of the command panel; the palette, a child window, reuses some of its names.
    template <typename Control> [[nodiscard]] Control* panelControl(const QString& name) const
    {
        return m_window->findChild<QWidget*>(u"Picture3"_s)->findChild<Control*>(name);
    }

    TemporaryWorkspace m_folder;
    QWidget m_main;
    QPointer<GradingWindow> m_window;
};

const QList<workspace::RegionRect> kTwoRegions = {regionOfSize(60, 30), regionOfSize(40, 20)};

// Ten answers to region 1 as a scanner gives them, three of them blank; region 2 as Exam draws.
const QList<test_support::Handwriting> kDrawnAnswers = [] {
    using enum test_support::Handwriting;
    return QList{Ring, None, Stroke, Ring, None, Cross, Ring, FaintStroke, Cross, None};
}();

void writeDrawnExam(const TemporaryWorkspace& folder)
{
    Exam(int(kDrawnAnswers.size()), {regionOfSize(200, 80), regionOfSize(40, 20)})
        .cutouts()
        .write(folder);
    for (qsizetype index = 0; index < kDrawnAnswers.size(); ++index)
        ASSERT_TRUE(
            imaging::saveDerivedBmp(test_support::drawnAnswer(kDrawnAnswers[index], int(index) + 1),
                                    folder.path(paths::cutoutImage(1, int(index) + 1)))
                .ok());
}

} // namespace

TEST_F(GradingWindowTest, OpensWithThePaletteWhileTheMainWindowWaitsHidden)
{
    QStringList scores(3, u",1"_s);
    open(Exam(3, QList<workspace::RegionRect>(10, regionOfSize(30, 20))).scores(scores));

    EXPECT_FALSE(m_main.isVisible());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_window->objectName(), u"Form2"_s);
    EXPECT_EQ(m_window->windowTitle(), u"採点画面"_s);
    EXPECT_TRUE(palette()->isVisible());
    EXPECT_EQ(palette()->objectName(), u"Form3"_s);
    EXPECT_EQ(palette()->windowTitle(), u"点数＆コメント"_s);
    const QStringList presets = {u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, QString()};
    for (int index = 0; index < 7; ++index) {
        EXPECT_EQ(palette()->scorePreset(index)->text(), presets[index]);
        EXPECT_EQ(palette()->scoreButton(index)->text(), u"この点数で採点"_s);
    }
    EXPECT_EQ(palette()->commentButton()->text(), u"このコメントを付ける"_s);

    EXPECT_EQ(control<QLabel>(m_window, u"Label1"_s, 0)->text(), u"問１"_s);
    EXPECT_EQ(control<QLabel>(m_window, u"Label1"_s, 9)->text(), u"問１０"_s);
    const QColor buttonFace = m_window->palette().color(QPalette::Button);
    EXPECT_EQ(control<QLabel>(m_window, u"Label1"_s, 0)->palette().color(QPalette::Window),
              buttonFace);
    EXPECT_EQ(control<QLabel>(m_window, u"Label1"_s, 1)->palette().color(QPalette::Window),
              QColor(0, 255, 255));
    EXPECT_EQ(m_window->findChild<QScrollBar*>(u"VScroll2"_s)->maximum(), 0);
    EXPECT_EQ(m_window->findChild<QScrollBar*>(u"HScroll1"_s)->maximum(), 0);
    for (const QString& name :
         {u"picKaitou"_s, u"picHaikei"_s, u"txtPoint"_s, u"txtMemo"_s, u"Label2"_s, u"Label3"_s}) {
        ASSERT_NE(control<QWidget>(m_window, name, 2), nullptr) << name.toStdString();
        EXPECT_FALSE(control<QWidget>(m_window, name, 2)->isVisible()) << name.toStdString();
    }

    m_window->close();
    EXPECT_TRUE(m_main.isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(m_window.isNull());
}

TEST_F(GradingWindowTest, DoesNotOpenWithoutRegionsOrWithMoreSheetsThanItHolds)
{
    m_main.show();
    EXPECT_EQ(grading::openGradingWindow(m_folder.workspace(), &m_main), nullptr);
    EXPECT_TRUE(m_main.isVisible());

    Exam(0, kTwoRegions).write(m_folder);
    for (int sheet = 1; sheet <= 501; ++sheet)
        m_folder.writeBytes(paths::sheetImage(sheet), "BM");
    const auto messages = test_support::answerMessageBoxes();
    EXPECT_EQ(grading::openGradingWindow(m_folder.workspace(), &m_main), nullptr);
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"500枚"_s));
    EXPECT_TRUE(m_main.isVisible());
}

TEST_F(GradingWindowTest, GradesWithClicksShiftRangesAndFunctionKeysAndKeepsItAfterSaving)
{
    open(Exam(5, kTwoRegions).cutouts());
    chooseRegion(1);

    const grading::CellGeometry first =
        grading::cellGeometry({60, 30, 1.0f, 1, grading::CommentDisplay::Hidden}, 0);
    auto* answer = control<PictureBox>(m_window, u"picKaitou"_s, 0);
    EXPECT_TRUE(answer->isVisible());
    EXPECT_EQ(answer->geometry(), workspace::twipsToPixels(first.image));
    EXPECT_EQ(answer->picture().toImage().pixel(5, 5), grading_test::cutoutColour(1).rgb());
    EXPECT_EQ(control<QLabel>(m_window, u"Label1"_s, 0)->palette().color(QPalette::Window),
              QColor(255, 255, 0));
    EXPECT_EQ(tagOf(m_window, 0), u"gray"_s);

    click(control<PictureBox>(m_window, u"picKaitou"_s, 1));
    QTest::keyPress(canvas(), Qt::Key_Shift);
    click(control<PictureBox>(m_window, u"picKaitou"_s, 3), Qt::ShiftModifier);
    QTest::keyRelease(canvas(), Qt::Key_Shift);
    for (int index : {1, 2, 3})
        EXPECT_EQ(tagOf(m_window, index), u"yellow"_s) << index;
    EXPECT_EQ(tagOf(m_window, 4), u"gray"_s);

    pressKey(Qt::Key_F3);
    for (int index : {1, 2, 3}) {
        EXPECT_EQ(control<QLineEdit>(m_window, u"txtPoint"_s, index)->text(), u"2"_s);
        EXPECT_EQ(tagOf(m_window, index), u"blue"_s);
    }

    QTest::keyClicks(control<QLineEdit>(m_window, u"txtPoint"_s, 4), u"1.5"_s);
    click(panelControl<QCheckBox>(u"Check2"_s));
    auto* comment = control<QLineEdit>(m_window, u"txtMemo"_s, 0);
    EXPECT_TRUE(comment->isVisible());
    QTest::keyClicks(comment, u"a,b"_s);
    EXPECT_EQ(comment->text(), u"a,b"_s);
    EXPECT_EQ(tagOf(m_window, 4), u"blue"_s); // the rebuild showed the typed score

    finish();
    EXPECT_TRUE(m_main.isVisible());
    deleteClosedWindows();
    EXPECT_TRUE(m_window.isNull());
    EXPECT_EQ(m_folder.readBytes(paths::scoreFile()), ",\r\n2,\r\n2,\r\n2,\r\n1.5,\r\n");
    EXPECT_EQ(m_folder.readBytes(paths::commentFile()), "a\x81\x41"
                                                        "b,\r\n,\r\n,\r\n,\r\n,\r\n");

    m_window = grading::openGradingWindow(m_folder.workspace(), &m_main);
    ASSERT_NE(m_window, nullptr);
    chooseRegion(1);
    EXPECT_EQ(control<QLineEdit>(m_window, u"txtPoint"_s, 2)->text(), u"2"_s);
    EXPECT_EQ(tagOf(m_window, 2), u"blue"_s);
    EXPECT_EQ(tagOf(m_window, 0), u"gray"_s);
    EXPECT_EQ(control<QLineEdit>(m_window, u"txtMemo"_s, 0)->text(), u"a、b"_s);
}

TEST_F(GradingWindowTest, ClosingAfterChangesAsksWhetherToSaveDiscardOrGoBack)
{
    const struct {
        QString answer;
        bool staysOpen;
        QByteArray scores;
    } cases[] = {
        {u"戻る"_s, true, "1,\r\n,\r\n"},
        {u"保存せずに閉じる"_s, false, "1,\r\n,\r\n"},
        {u"保存して閉じる"_s, false, "1,\r\n4,\r\n"},
    };
    for (const auto& test : cases) {
        TemporaryWorkspace folder;
        Exam(2, kTwoRegions).scores({u"1,"_s, u","_s}).write(folder);
        QWidget main;
        main.show();
        QPointer<GradingWindow> window = grading::openGradingWindow(folder.workspace(), &main);
        ASSERT_NE(window, nullptr);
        click(control<QLabel>(window, u"Label1"_s, 0));
        QTest::keyClicks(control<QLineEdit>(window, u"txtPoint"_s, 1), u"4"_s);

        answerNextDialogWith(test.answer);
        window->close();
        deleteClosedWindows();
        EXPECT_EQ(!window.isNull(), test.staysOpen) << test.answer.toStdString();
        EXPECT_EQ(main.isVisible(), !test.staysOpen) << test.answer.toStdString();
        EXPECT_EQ(folder.readBytes(paths::scoreFile()), test.scores) << test.answer.toStdString();
        delete window.data();
    }
}

TEST_F(GradingWindowTest, ClosingWithoutChangesAsksNothing)
{
    open(Exam(2, kTwoRegions).scores({u"1,"_s}));
    chooseRegion(1);
    click(control<PictureBox>(m_window, u"picKaitou"_s, 1)); // a selection is no change
    m_window->close();
    EXPECT_TRUE(m_main.isVisible());
    EXPECT_EQ(m_folder.readBytes(paths::scoreFile()), "1,\r\n");
}

TEST_F(GradingWindowTest, AnUnstorableCommentKeepsTheWindowOpenAndWritesNothing)
{
    open(Exam(2, kTwoRegions));
    chooseRegion(2);
    click(panelControl<QCheckBox>(u"Check2"_s));
    control<QLineEdit>(m_window, u"txtMemo"_s, 1)->setText(u"よく書けた😀"_s);

    const auto messages = test_support::answerMessageBoxes();
    finish();
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"2枚目の答案の問２"_s))
        << messages->texts[0].toStdString();
    deleteClosedWindows();
    ASSERT_FALSE(m_window.isNull());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_main.isVisible());
    EXPECT_FALSE(m_folder.exists(paths::scoreFile()));
    EXPECT_FALSE(m_folder.exists(paths::commentFile()));
}

TEST_F(GradingWindowTest, ThePalettesCloseBoxOnlyHidesItAndAFunctionKeyBringsItBack)
{
    open(Exam(3, kTwoRegions));
    chooseRegion(1);
    palette()->scorePreset(1)->setText(u"7"_s);
    palette()->close();
    EXPECT_FALSE(palette()->isVisible());

    click(control<PictureBox>(m_window, u"picKaitou"_s, 2));
    pressKey(Qt::Key_F2);
    EXPECT_TRUE(palette()->isVisible());
    EXPECT_EQ(m_window->state().tables().score(3, 1), u"7"_s);

    click(control<PictureBox>(m_window, u"picKaitou"_s, 0));
    palette()->commentPreset()->setText(u"途中式, 良し"_s);
    click(palette()->commentButton());
    EXPECT_EQ(m_window->state().tables().comment(1, 1), u"途中式、 良し"_s);
    EXPECT_EQ(tagOf(m_window, 0), u"yellow"_s);
}

TEST_F(GradingWindowTest, KeysScrollTheCanvasWhileItsBoxesKeepTheirOwnKeys)
{
    open(Exam(25, kTwoRegions)); // 25 rows of 45 pixels
    chooseRegion(1);
    auto* bar = m_window->findChild<QScrollBar*>(u"VScroll2"_s);
    ASSERT_GT(bar->maximum(), bar->pageStep());
    ASSERT_LT(bar->maximum(), 2 * bar->pageStep());

    const struct {
        int key;
        int value;
    } steps[] = {
        {Qt::Key_Down, bar->singleStep()},
        {Qt::Key_PageDown, bar->singleStep() + bar->pageStep()},
        {Qt::Key_PageDown, bar->maximum()},
        {Qt::Key_Up, bar->maximum() - bar->singleStep()},
        {Qt::Key_PageUp, bar->maximum() - bar->singleStep() - bar->pageStep()},
        {Qt::Key_PageUp, 0},
        {Qt::Key_Home, 0},
    };
    for (const auto& step : steps) {
        pressKey(step.key);
        EXPECT_EQ(bar->value(), step.value) << step.key;
        EXPECT_EQ(canvas()->y(), 3 - step.value) << step.key;
    }
    auto* horizontal = m_window->findChild<QScrollBar*>(u"HScroll1"_s);
    pressKey(Qt::Key_Right);
    EXPECT_EQ(horizontal->value(), std::min(500, horizontal->maximum()));

    click(control<PictureBox>(m_window, u"picKaitou"_s, 0));
    auto* scoreBox = control<QLineEdit>(m_window, u"txtPoint"_s, 0);
    scoreBox->setFocus();
    QTest::keyClick(scoreBox, Qt::Key_F2);
    QTest::keyClick(scoreBox, Qt::Key_PageDown);
    EXPECT_EQ(m_window->state().tables().score(1, 1), QString());
    EXPECT_EQ(tagOf(m_window, 0), u"yellow"_s);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(GradingWindowTest, CutoutsAreDecodedOnceWhenSeenAndReloadedWhenTheirFileChanges)
{
    open(Exam(40, kTwoRegions).cutouts());
    const auto decoded = [this] {
        (void)m_window->grab(); // paints the answers in view
        return m_window->cutouts().decodeCount();
    };
    chooseRegion(1);
    const int inView = decoded();
    EXPECT_GT(inView, 3);
    EXPECT_LT(inView, 40);
    chooseRegion(1);
    EXPECT_EQ(decoded(), inView);
    pressKey(Qt::Key_PageDown);
    EXPECT_GT(decoded(), inView);
    pressKey(Qt::Key_PageUp);
    const int seen = decoded();

    ASSERT_TRUE(imaging::saveDerivedBmp(test_support::solidImage(QSize(61, 30), Qt::red),
                                        m_folder.path(paths::cutoutImage(1, 2))));
    QFile::remove(m_folder.path(paths::cutoutImage(1, 3)));
    chooseRegion(1);
    EXPECT_EQ(decoded(), seen + 1);
    auto* changed = control<PictureBox>(m_window, u"picKaitou"_s, 1);
    EXPECT_EQ(changed->picture().toImage().pixel(0, 0), QColor(Qt::red).rgb());
    auto* missing = control<PictureBox>(m_window, u"picKaitou"_s, 2);
    EXPECT_TRUE(missing->isVisible());
    EXPECT_TRUE(missing->picture().isNull());
}

TEST_F(GradingWindowTest, LayoutControlsWaitForARegionAndThenRebuild)
{
    open(Exam(7, kTwoRegions).scores({u",1"_s, u"3,"_s}));
    click(panelControl<QPushButton>(u"Command6"_s));
    click(panelControl<QCheckBox>(u"Check1"_s));
    click(panelControl<QPushButton>(u"cmdUp"_s));
    click(panelControl<QPushButton>(u"cmdUp"_s));
    pressKey(Qt::Key_F1);
    EXPECT_EQ(m_window->state().zoomFactor(), 1.0f);
    EXPECT_EQ(m_window->state().currentRegion(), 0);
    EXPECT_EQ(panelControl<QLineEdit>(u"Text1"_s)->text(), u"3"_s);
    EXPECT_FALSE(m_window->state().hasChanges());

    chooseRegion(1);
    // Sheet 2 is graded and hidden; sheets 1, 3, 4 fill the first row, 5 starts the second.
    const auto left = [this](int index) {
        return control<PictureBox>(m_window, u"picKaitou"_s, index)->x();
    };
    EXPECT_FALSE(control<PictureBox>(m_window, u"picKaitou"_s, 1)->isVisible());
    EXPECT_LT(left(0), left(2));
    EXPECT_LT(left(2), left(3));
    EXPECT_EQ(left(4), left(0));

    const int firstColumn = left(0);
    panelControl<QLineEdit>(u"Text2"_s)->setText(u"3"_s);
    click(panelControl<QPushButton>(u"Command7"_s));
    EXPECT_TRUE(control<PictureBox>(m_window, u"picKaitou"_s, 1)->isVisible());
    EXPECT_FALSE(control<PictureBox>(m_window, u"picKaitou"_s, 0)->isVisible());
    EXPECT_EQ(left(1), firstColumn);
}

TEST_F(GradingWindowTest, UndoAndRedoTakeBackAPresetAndATypedScoreWithTheirMarksAndQuestionList)
{
    open(Exam(3, kTwoRegions).scores({u",1"_s, u",1"_s, u",1"_s}));
    const auto undo = [this] { QTest::keyClick(canvas(), Qt::Key_Z, Qt::ControlModifier); };
    const auto redo = [this] { QTest::keyClick(canvas(), Qt::Key_Y, Qt::ControlModifier); };
    const auto fullyGraded = [this](int region) {
        return control<QLabel>(m_window, u"Label1"_s, region - 1)->palette().color(QPalette::Window)
               == QColor(0, 255, 255);
    };
    const auto score = [this](int sheet) { return m_window->state().tables().score(sheet, 1); };
    m_window->activateWindow(); // shortcuts reach the active window only
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    chooseRegion(1);
    click(control<PictureBox>(m_window, u"picKaitou"_s, 0));
    click(control<PictureBox>(m_window, u"picKaitou"_s, 2));
    pressKey(Qt::Key_F6);
    QTest::keyClicks(control<QLineEdit>(m_window, u"txtPoint"_s, 1), u"2.5"_s);

    undo(); // the typed score as one step
    EXPECT_EQ(score(2), QString());
    EXPECT_EQ(control<QLineEdit>(m_window, u"txtPoint"_s, 1)->text(), QString());
    undo(); // the preset: the selection it was given to is back
    for (int index : {0, 2}) {
        EXPECT_EQ(score(index + 1), QString());
        EXPECT_EQ(control<QLineEdit>(m_window, u"txtPoint"_s, index)->text(), QString());
        EXPECT_EQ(tagOf(m_window, index), u"yellow"_s);
    }
    EXPECT_FALSE(m_window->state().hasChanges());

    redo();
    QTest::keyClick(canvas(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ((QStringList{score(1), score(2), score(3)}), (QStringList{u"5"_s, u"2.5"_s, u"5"_s}));
    EXPECT_EQ(tagOf(m_window, 0), u"blue"_s);
    chooseRegion(2);
    EXPECT_TRUE(fullyGraded(1));

    // Undone from another region, the change shows on its own region's page, built afresh.
    undo();
    EXPECT_EQ(m_window->state().currentRegion(), 1);
    EXPECT_EQ(tagOf(m_window, 1), u"gray"_s);
    EXPECT_EQ(tagOf(m_window, 0), u"blue"_s);
    chooseRegion(2);
    EXPECT_FALSE(fullyGraded(1));

    // The journal holds the undone and redone steps too: replayed, it gives what is shown.
    const grading::JournalFindings findings =
        grading::inspectJournal(m_folder.workspace(), m_window->state().savedTables());
    EXPECT_EQ(findings.recovery.changes,
              m_window->state().savedTables().changesTo(m_window->state().tables()));
    EXPECT_EQ(findings.recovery.changedAnswers, 2);
}

TEST_F(GradingWindowTest, AfterAClickOnThePaletteTheKeysActOnTheGridAgain)
{
    open(Exam(25, kTwoRegions));
    chooseRegion(1);
    // isActiveWindow() counts the grading window as active while its palette is.
    const auto activeWindowBecomes = [](QWidget* window) {
        return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
    };
    const auto clickPalette = [&](QPushButton* button) {
        palette()->activateWindow();
        ASSERT_TRUE(activeWindowBecomes(palette()));
        button->setFocus();
        click(button);
        EXPECT_TRUE(activeWindowBecomes(m_window));
        EXPECT_EQ(QApplication::focusWidget(), canvas());
    };
    click(control<PictureBox>(m_window, u"picKaitou"_s, 0));
    clickPalette(palette()->scoreButton(3));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_PageDown);
    EXPECT_GT(m_window->findChild<QScrollBar*>(u"VScroll2"_s)->value(), 0);

    click(control<PictureBox>(m_window, u"picKaitou"_s, 2));
    clickPalette(palette()->commentButton());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_F5);
    EXPECT_EQ(m_window->state().tables().score(3, 1), u"4"_s);
}

TEST_F(GradingWindowTest, BlankAnswersAndTheLookAlikeOrderKeepEveryScoreWithItsSheet)
{
    writeDrawnExam(m_folder);
    openWrittenFolder();
    chooseRegion(1);
    const auto yellowCells = [this] {
        std::set<int> cells;
        for (int index = 0; index < int(kDrawnAnswers.size()); ++index)
            if (tagOf(m_window, index) == u"yellow"_s)
                cells.insert(index);
        return cells;
    };
    click(control<PictureBox>(m_window, u"picKaitou"_s, 0));
    click(panelControl<QPushButton>(u"cmdMutou"_s));
    EXPECT_EQ(yellowCells(), (std::set<int>{1, 4, 9}));
    pressKey(Qt::Key_F1);

    tick(panelControl<QCheckBox>(u"chkNiteru"_s));
    const std::vector<int> order = m_window->state().displayOrder();
    ASSERT_EQ(order.size(), 10u);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 3), (std::vector<int>{1, 4, 9}));
    const QRect firstPlace = control<PictureBox>(m_window, u"picKaitou"_s, 1)->geometry();
    EXPECT_EQ(firstPlace.topLeft(),
              workspace::twipsToPixels(grading::cellGeometry(m_window->state().metrics(), 0).image)
                  .topLeft());
    // The answers from the fourth to the sixth place, by a Shift range, get 2; the seventh a
    // comment.
    click(control<PictureBox>(m_window, u"picKaitou"_s, order[3]));
    QTest::keyPress(canvas(), Qt::Key_Shift);
    click(control<PictureBox>(m_window, u"picKaitou"_s, order[5]), Qt::ShiftModifier);
    QTest::keyRelease(canvas(), Qt::Key_Shift);
    EXPECT_EQ(yellowCells(), (std::set<int>{order[3], order[4], order[5]}));
    pressKey(Qt::Key_F3);
    // Tab goes on to the score of the answer that stands next.
    auto* score = control<QLineEdit>(m_window, u"txtPoint"_s, order[7]);
    score->setFocus();
    QTest::keyClick(score, Qt::Key_Tab);
    EXPECT_EQ(m_window->focusWidget(), control<QLineEdit>(m_window, u"txtPoint"_s, order[8]));
    click(control<PictureBox>(m_window, u"picKaitou"_s, order[6]));
    palette()->commentPreset()->setText(u"よい"_s);
    click(palette()->commentButton());
    EXPECT_EQ(m_window->questionInk().judgeCount(), 1);

    // Once judged, a question is judged again only when a cut-out changes.
    chooseRegion(2);
    chooseRegion(1);
    tick(panelControl<QCheckBox>(u"chkNiteru"_s));
    tick(panelControl<QCheckBox>(u"chkNiteru"_s));
    EXPECT_EQ(m_window->questionInk().judgeCount(), 2); // region 2 once
    finish();
    deleteClosedWindows();

    // The same scores given in sheet order, one click per answer, save the same files.
    TemporaryWorkspace inSheetOrder;
    writeDrawnExam(inSheetOrder);
    m_window = grading::openGradingWindow(inSheetOrder.workspace(), &m_main);
    ASSERT_NE(m_window, nullptr);
    chooseRegion(1);
    for (int index : {1, 4, 9})
        click(control<PictureBox>(m_window, u"picKaitou"_s, index));
    pressKey(Qt::Key_F1);
    for (int place : {3, 4, 5})
        click(control<PictureBox>(m_window, u"picKaitou"_s, order[std::size_t(place)]));
    pressKey(Qt::Key_F3);
    click(control<PictureBox>(m_window, u"picKaitou"_s, order[6]));
    palette()->commentPreset()->setText(u"よい"_s);
    click(palette()->commentButton());
    finish();
    deleteClosedWindows();
    EXPECT_EQ(inSheetOrder.readBytes(paths::scoreFile()), m_folder.readBytes(paths::scoreFile()));
    EXPECT_EQ(inSheetOrder.readBytes(paths::commentFile()),
              m_folder.readBytes(paths::commentFile()));
    EXPECT_EQ(m_folder.readBytes(paths::scoreFile()).count(",\r\n"), 10);
}

TEST_F(GradingWindowTest, AnAnswerWhoseCutoutWentMissingIsNeverTakenForBlank)
{
    writeDrawnExam(m_folder);
    openWrittenFolder();
    chooseRegion(1);
    click(panelControl<QPushButton>(u"cmdMutou"_s));
    ASSERT_EQ(tagOf(m_window, 4), u"yellow"_s);
    QFile::remove(m_folder.path(paths::cutoutImage(1, 5)));
    click(panelControl<QPushButton>(u"cmdMutou"_s));
    EXPECT_EQ(m_window->questionInk().judgeCount(), 2);
    for (int index = 0; index < int(kDrawnAnswers.size()); ++index)
        EXPECT_EQ(tagOf(m_window, index), index == 1 || index == 9 ? u"yellow"_s : u"gray"_s)
            << index;
    tick(panelControl<QCheckBox>(u"chkNiteru"_s));
    EXPECT_EQ(m_window->state().displayOrder().back(), 4);
}
