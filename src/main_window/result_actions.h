// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "results/print_destination.h"
#include "results/print_settings.h"
#include "results/result_browser.h"

#include <QObject>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace main_window {

class MainWindow;

// The main window's result steps: "6.採点実行" (Command5 with chkJuni), browsing the marked
// sheets ("<< 7.採点結果" Command9, Text1, "7.採点結果 >>" Command10), "8.答案印刷" (Command8)
// and "9.成績表" (Command11). It holds resultNumber and the print settings of the window.
class ResultActions : public QObject {
    Q_OBJECT

public:
    struct Controls {
        QPushButton* compute = nullptr;    // Command5
        QCheckBox* showRank = nullptr;     // chkJuni
        QPushButton* previous = nullptr;   // Command9
        QLineEdit* resultNumber = nullptr; // Text1
        QPushButton* next = nullptr;       // Command10
        QPushButton* print = nullptr;      // Command8
        QPushButton* gradeTable = nullptr; // Command11
    };

    ResultActions(MainWindow& window, const Controls& controls);

    [[nodiscard]] qint16 resultNumber() const { return m_browser.resultNumber(); }
    // The workspace reset starts browsing over from the first marked sheet.
    void resetResultNumber() { m_browser.reset(); }

    [[nodiscard]] const results::PrintSettings& printSettings() const { return m_printSettings; }
    // Where "8.答案印刷" sends its jobs; the default printer unless changed.
    void setPrintDestination(results::PrintDestination destination);

private:
    void computeResults();
    void showPrevious();
    void showNext();
    void jumpToTypedNumber();
    void apply(const results::BrowseStep& step);
    [[nodiscard]] bool markedSheetExists(int sheet) const;
    void print();
    void openGradeTable();

    MainWindow& m_window;
    Controls m_controls;
    results::ResultBrowser m_browser;
    results::PrintSettings m_printSettings;
    results::PrintDestination m_printDestination = results::PrintDestination::defaultPrinter();
};

} // namespace main_window
