// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialog_answerer.h"
#include "steps/result_plan.h"

#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>

class QPushButton;
class QWidget;

namespace grading {
class GradingWindow;
}
namespace main_window {
class MainWindow;
}
namespace roster {
class RosterWindow;
}

namespace exam_driver {

// Drives the program's real windows through an examination as a teacher would: presses on the
// sheet view, clicks on buttons, answers and name boxes, keys on the grading grid, and answers
// the dialogs a step opens. Every step returns when the program is done with it.
class Teacher {
public:
    explicit Teacher(main_window::MainWindow& window);

    // Shown every dialog a step opens, before it is answered (to look at it or photograph it).
    void setDialogWatcher(DialogAnswerer::Watcher watcher) { m_watcher = std::move(watcher); }

    // The texts of the message boxes the last step showed, in order.
    [[nodiscard]] const QStringList& messages() const { return m_messages; }
    // The folders in which the last step's folder or file dialogs opened.
    [[nodiscard]] const QStringList& dialogFolders() const { return m_dialogFolders; }
    // Titles of the dialogs that no step expected, over the whole run.
    [[nodiscard]] const QStringList& unexpectedDialogs() const { return m_unexpected; }

    // The main window.
    void importSheets(const QString& folder);
    void reduceSheetView(int steps);
    // Two presses on the sheet view, on opposite corners of a rectangle in sheet pixels.
    void markRegion(const QRect& sheetRect);
    void undoRegion();
    void cutAnswers();
    void computeResults(steps::RankDisplay rankDisplay);
    void showNextResult();
    void showPreviousResult();
    void printAllSheets(const QString& paper, const QString& orientation);
    // "PDF出力", confirming every message box (emptying pdf/, opening the folder).
    void exportPdfs();
    void resetWorkspace();

    // The roster window ("4.名簿割り当て").
    roster::RosterWindow& openRoster();
    void loadRoster(const QString& file);
    void selectRosterRow(int row);
    void takeOutName();
    void insertName();
    void finishRoster();
    // "縮小" of the roster window: smaller name-field images.
    void reduceRosterRows();

    // The grading window ("5.点数振り分け") and its score palette.
    grading::GradingWindow& openGrading();
    void chooseRegion(int region);
    // Sheets are counted from 1.
    void clickAnswer(int sheet);
    void shiftClickAnswer(int sheet);
    // F1 … F7 on the grid: the palette's score presets.
    void pressScoreKey(int functionKey);
    void selectUnscored();
    void applyComment(const QString& comment);
    void showCommentsAndNames();
    void addColumn();
    // "縮小" of the command panel: smaller answer images.
    void reduceAnswers();
    void finishGrading();

private:
    // Runs the action with its dialogs answered by the choices.
    template <typename Action> void step(const DialogChoices& choices, Action action);
    void click(QPushButton* button, const DialogChoices& choices = {});
    [[nodiscard]] QPushButton* mainButton(const QString& name) const;
    [[nodiscard]] QWidget* gradingPanelControl(const QString& name) const;
    [[nodiscard]] QWidget* answerImage(int sheet) const;
    // The place on the sheet view, in its own pixels, that a press must hit to land on the sheet
    // pixel: the inverse of the view's press conversion.
    [[nodiscard]] QPoint viewPointFor(QPointF sheetPixel) const;

    main_window::MainWindow& m_window;
    QPointer<roster::RosterWindow> m_roster;
    QPointer<grading::GradingWindow> m_grading;
    DialogAnswerer::Watcher m_watcher;
    QStringList m_messages;
    QStringList m_dialogFolders;
    QStringList m_unexpected;
};

} // namespace exam_driver
