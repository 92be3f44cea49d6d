// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/mark_state.h"
#include "roster_window_geometry.h"
#include "row_layout.h"
#include "workspace/workspace_paths.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <optional>

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace roster {

class StretchedImage;

// The roster assignment window (Form4): one row per sheet, the sheet's region-1 cut-out beside a
// name box, in sheet order. Names are typed, loaded from a roster file, moved with take-out and
// insert through the holding box, and saved to ini/meibo.txt by "割り当て終了".
//
// Each row's controls are children of the canvas Picture1 named picKaitou, Text1 and picHaikei,
// with the row index (0 for sheet 1) in the dynamic property "index"; a frame keeps its state
// word ("gray" or "yellow") in the dynamic property "tag".
class RosterWindow : public QWidget {
    Q_OBJECT

public:
    explicit RosterWindow(workspace::Workspace workspace, QWidget* parent = nullptr);

    // At least 1: without cut-outs the template row stands alone.
    [[nodiscard]] int rowCount() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] QStringList names() const;
    [[nodiscard]] float zoomFactor() const { return m_zoomFactor; }
    [[nodiscard]] std::optional<int> selectedRow() const;

signals:
    // The window has closed, with or without saving.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Row {
        StretchedImage* image = nullptr; // picKaitou
        StretchedImage* frame = nullptr; // picHaikei
        QLineEdit* nameBox = nullptr;    // Text1
    };

    void createControls();
    void placeControls();
    void createRows(int count);
    [[nodiscard]] Row createRow(int index);
    void layoutRows();
    void fitCanvasToRows(const QList<RowGeometry>& rows);
    void loadSavedNames();
    void setNames(const QStringList& names);
    void setFrameState(const Row& row, imaging::MarkState state);
    void clearSelection();
    void selectRow(int index);
    void showRow(int index);
    void zoom(float (*step)(float));
    void loadRosterFile();
    void takeOutName();
    void insertHeldName();
    void finishAssignment();
    [[nodiscard]] bool saveNames();
    void onScroll(int value);
    void showMessage(const QString& text);

    workspace::Workspace m_workspace;
    RosterWindowGeometry m_geometry;
    float m_zoomFactor = 1.0f;
    // Rows backed by region-1 cut-outs; 0 when only the template row stands.
    int m_sheetRowCount = 0;
    QList<Row> m_rows;
    // The names as ini/meibo.txt holds them, so that closing can tell whether anything changed.
    QStringList m_storedNames;

    QWidget* m_canvas = nullptr;              // Picture1
    QScrollBar* m_scrollBar = nullptr;        // VScroll1
    QPushButton* m_loadButton = nullptr;      // Command1
    QPushButton* m_takeOutButton = nullptr;   // Command2
    QPushButton* m_insertButton = nullptr;    // Command3
    QLineEdit* m_holdingBox = nullptr;        // Text2
    QPushButton* m_enlargeButton = nullptr;   // Command6
    QPushButton* m_reduceButton = nullptr;    // Command5
    QPushButton* m_finishButton = nullptr;    // Command4
    StretchedImage* m_yellowSwatch = nullptr; // imgYellow
    StretchedImage* m_graySwatch = nullptr;   // imgGray
};

// Opens the roster window without blocking in place of the main window: the main window is
// hidden while it is open and shown again when it closes. The window deletes itself on closing.
RosterWindow* openRosterWindow(QWidget* mainWindow, const workspace::Workspace& workspace);

} // namespace roster
