// SPDX-License-Identifier: GPL-3.0-or-later
#include "teacher.h"

#include "grading/grading_window.h"
#include "grading/grid_canvas.h"
#include "grading/score_palette.h"
#include "main_window/main_window.h"
#include "roster/roster_window.h"
#include "workspace/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace exam_driver {

namespace {

// The element `index` of a control array: its controls share an objectName and carry their
// index in the property "index".
QWidget* arrayControl(const QWidget* window, const QString& name, int index)
{
    for (QWidget* control : window->findChildren<QWidget*>(name))
        if (control->property("index").toInt() == index)
            return control;
    throw std::runtime_error("no control " + name.toStdString() + "(" + std::to_string(index)
                             + ")");
}

template <typename Window> Window* shownWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

template <typename Control> Control* require(Control* control, const char* what)
{
    if (!control)
        throw std::runtime_error(std::string("not found: ") + what);
    return control;
}

// Windows that close themselves are deleted later; finish that before the next step looks.
void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

Teacher::Teacher(main_window::MainWindow& window)
    : m_window(window)
{
}

template <typename Action> void Teacher::step(const DialogChoices& choices, Action action)
{
    DialogAnswerer answerer(choices, m_watcher);
    action();
    m_messages = answerer.messages();
    m_dialogFolders = answerer.openedIn();
    m_unexpected += answerer.unexpected();
}

void Teacher::click(QPushButton* button, const DialogChoices& choices)
{
    require(button, "button");
    step(choices, [button] { button->click(); });
}

QPushButton* Teacher::mainButton(const QString& name) const
{
    return require(m_window.findChild<QPushButton*>(name), "main window button");
}

QPoint Teacher::viewPointFor(QPointF sheetPixel) const
{
    const double scale = m_window.displayScale();
    const double viewHeight = m_window.sheetViewTwips().height();
    const double column = sheetPixel.x() * scale;
    const double rowFromBottom = viewHeight / workspace::kTwipsPerPixel - sheetPixel.y() * scale;
    const double xTwips = column * workspace::kTwipsPerPixelLayout;
    const double yTwips = viewHeight - rowFromBottom * workspace::kTwipsPerPixelLayout;
    return {qRound(xTwips / workspace::kTwipsPerPixel), qRound(yTwips / workspace::kTwipsPerPixel)};
}

void Teacher::importSheets(const QString& folder)
{
    click(mainButton(u"Command2"_s), {.folder = folder});
}

void Teacher::reduceSheetView(int steps)
{
    for (int count = 0; count < steps; ++count)
        click(mainButton(u"Command13"_s));
}

void Teacher::markRegion(const QRect& sheetRect)
{
    QWidget* view = require(m_window.findChild<QWidget*>(u"Image1"_s), "sheet view");
    step({}, [&] {
        QTest::mousePress(view, Qt::LeftButton, {}, viewPointFor(sheetRect.topLeft()));
        QTest::mousePress(view, Qt::LeftButton, {},
                          viewPointFor(QPointF(sheetRect.right() + 1, sheetRect.bottom() + 1)));
    });
}

void Teacher::undoRegion()
{
    click(mainButton(u"Command1"_s));
}

void Teacher::cutAnswers()
{
    click(mainButton(u"Command3"_s));
}

void Teacher::computeResults(steps::RankDisplay rankDisplay)
{
    require(m_window.findChild<QCheckBox*>(u"chkJuni"_s), "chkJuni")
        ->setChecked(rankDisplay == steps::RankDisplay::Shown);
    click(mainButton(u"Command5"_s));
}

void Teacher::showNextResult()
{
    click(mainButton(u"Command10"_s));
}

void Teacher::showPreviousResult()
{
    click(mainButton(u"Command9"_s));
}

void Teacher::printAllSheets(const QString& paper, const QString& orientation)
{
    click(mainButton(u"Command8"_s), {.paper = paper, .orientation = orientation});
}

void Teacher::exportPdfs()
{
    click(mainButton(u"cmdPdf"_s));
}

void Teacher::resetWorkspace()
{
    click(mainButton(u"Command14"_s));
}

roster::RosterWindow& Teacher::openRoster()
{
    click(mainButton(u"Command7"_s));
    m_roster = require(shownWindow<roster::RosterWindow>(), "roster window");
    return *m_roster;
}

void Teacher::loadRoster(const QString& file)
{
    click(require(m_roster.data(), "roster window")->findChild<QPushButton*>(u"Command1"_s),
          {.file = file});
}

void Teacher::selectRosterRow(int row)
{
    QWidget* nameBox = arrayControl(require(m_roster.data(), "roster window"), u"Text1"_s, row);
    step({}, [nameBox] { QTest::mouseClick(nameBox, Qt::LeftButton); });
}

void Teacher::takeOutName()
{
    click(require(m_roster.data(), "roster window")->findChild<QPushButton*>(u"Command2"_s));
}

void Teacher::insertName()
{
    click(require(m_roster.data(), "roster window")->findChild<QPushButton*>(u"Command3"_s));
}

void Teacher::finishRoster()
{
    click(require(m_roster.data(), "roster window")->findChild<QPushButton*>(u"Command4"_s));
    deleteClosedWindows();
}

void Teacher::reduceRosterRows()
{
    click(require(m_roster.data(), "roster window")->findChild<QPushButton*>(u"Command5"_s));
}

grading::GradingWindow& Teacher::openGrading()
{
    click(mainButton(u"Command4"_s));
    m_grading = require(shownWindow<grading::GradingWindow>(), "grading window");
    return *m_grading;
}

QWidget* Teacher::gradingPanelControl(const QString& name) const
{
    QWidget* panel =
        require(m_grading.data(), "grading window")->findChild<QWidget*>(u"Picture3"_s);
    // The palette, a child window of the grading window, reuses some of the panel's names.
    return require(require(panel, "command panel")->findChild<QWidget*>(name), "panel control");
}

QWidget* Teacher::answerImage(int sheet) const
{
    return arrayControl(require(m_grading.data(), "grading window"), u"picKaitou"_s, sheet - 1);
}

void Teacher::chooseRegion(int region)
{
    QWidget* selector =
        arrayControl(require(m_grading.data(), "grading window"), u"Label1"_s, region - 1);
    step({}, [selector] { QTest::mouseClick(selector, Qt::LeftButton); });
}

void Teacher::clickAnswer(int sheet)
{
    QWidget* answer = answerImage(sheet);
    step({}, [answer] { QTest::mouseClick(answer, Qt::LeftButton); });
}

void Teacher::shiftClickAnswer(int sheet)
{
    QWidget* answer = answerImage(sheet);
    QWidget* canvas = m_grading->canvas();
    step({}, [answer, canvas] {
        QTest::keyPress(canvas, Qt::Key_Shift);
        QTest::mouseClick(answer, Qt::LeftButton, Qt::ShiftModifier);
        QTest::keyRelease(canvas, Qt::Key_Shift);
    });
}

void Teacher::pressScoreKey(int functionKey)
{
    QWidget* canvas = require(m_grading.data(), "grading window")->canvas();
    step({}, [canvas, functionKey] {
        QTest::keyClick(canvas, static_cast<Qt::Key>(Qt::Key_F1 + functionKey - 1));
    });
}

void Teacher::selectUnscored()
{
    click(qobject_cast<QPushButton*>(gradingPanelControl(u"Command3"_s)));
}

void Teacher::applyComment(const QString& comment)
{
    grading::ScorePalette* palette = require(m_grading.data(), "grading window")->scorePalette();
    palette->commentPreset()->setText(comment);
    click(palette->commentButton());
}

void Teacher::showCommentsAndNames()
{
    auto* check = require(qobject_cast<QCheckBox*>(gradingPanelControl(u"Check2"_s)), "Check2");
    step({}, [check] { QTest::mouseClick(check, Qt::LeftButton); });
}

void Teacher::addColumn()
{
    click(qobject_cast<QPushButton*>(gradingPanelControl(u"cmdUp"_s)));
}

void Teacher::reduceAnswers()
{
    click(qobject_cast<QPushButton*>(gradingPanelControl(u"Command5"_s)));
}

void Teacher::finishGrading()
{
    click(qobject_cast<QPushButton*>(gradingPanelControl(u"Command1"_s)));
    deleteClosedWindows();
}

} // namespace exam_driver
