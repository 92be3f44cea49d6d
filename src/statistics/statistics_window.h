// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "steps/statistics_source.h"
#include "workspace/workspace_paths.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace statistics {

class TotalsHistogram;

// The viewpoint and statistics window ("観点・統計"): one row per region of ini/zahyo.txt with
// its evaluation viewpoint (an editable choice of the three) and its full marks; once
// ini/haiten.txt exists, each question's statistics beside them, a bar of its success rate, a
// hint on a question that may not have worked, and a histogram of the totals. The statistics
// follow the viewpoints and full marks as they are typed. The thresholds of the grades A and B
// are set below. "保存" writes ini/kanten.txt and ini/kanten_kijun.txt; closing after changes
// asks whether to save.
class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    enum Column {
        QuestionColumn,
        ViewpointColumn,
        FullMarksColumn,
        MeanColumn,
        DeviationColumn,
        ScoreRateColumn,
        SuccessRateColumn,
        DiscriminationColumn,
        CorrelationColumn,
        HintColumn,
        ColumnCount
    };

    StatisticsWindow(workspace::Workspace workspace, steps::StatisticsSource source,
                     QWidget* parent = nullptr);

    // The viewpoints and thresholds as the controls hold them.
    [[nodiscard]] steps::ViewpointSetup draft() const;
    [[nodiscard]] bool hasChanges() const;

signals:
    // The window has closed, with or without saving.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void fillRows();
    void refreshStatistics();
    [[nodiscard]] bool save();

    workspace::Workspace m_workspace;
    steps::StatisticsSource m_source;
    // What ini/ holds, so that closing can tell whether anything changed.
    steps::ViewpointSetup m_stored;

    QTableWidget* m_table = nullptr;
    QList<QComboBox*> m_viewpointBoxes;
    QList<QLineEdit*> m_fullMarksBoxes;
    QLabel* m_summary = nullptr;
    TotalsHistogram* m_histogram = nullptr;
    QDoubleSpinBox* m_aThreshold = nullptr;
    QDoubleSpinBox* m_bThreshold = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};

// "観点・統計": opens the window without blocking in place of the main window, which is hidden
// while it is open and shown again when it closes. Without regions, or with a file it cannot
// read, it says why and does not open. Returns the window, which deletes itself on closing, or
// nullptr.
StatisticsWindow* openStatisticsWindow(QWidget* mainWindow, const workspace::Workspace& workspace);

} // namespace statistics
