// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/sheet_surface.h"
#include "main_window_geometry.h"
#include "region_marker.h"
#include "widgets/folder_dialog.h"
#include "workspace/expected.h"
#include "workspace/region_rect.h"
#include "workspace/workspace_paths.h"

#include <QImage>
#include <QRectF>
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace main_window {

class ResultActions;
class SheetView;

// The main window (Form1): the sheet view above, the panel of numbered workflow buttons below.
// It owns the sheet view state that import, region marking, cutting, zoom and the result steps
// share: the sheet surface, the display surface and the view's place and size in twips.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(workspace::Workspace workspace, QWidget* parent = nullptr);

    [[nodiscard]] const workspace::Workspace& workspace() const { return m_workspace; }

    // The sheet surface (Picture1): the shown sheet at its natural size.
    [[nodiscard]] const imaging::SheetSurface& sheetSurface() const { return m_sheetSurface; }
    // The display surface (Picture2): the sheet scaled to the view, with the region marks.
    [[nodiscard]] const QImage& displaySurface() const { return m_displaySurface; }
    // The sheet view's place and size in twips, relative to the window.
    [[nodiscard]] QRectF sheetViewTwips() const { return m_viewTwips; }
    [[nodiscard]] QRectF windowTwips() const { return m_windowTwips; }
    // Image1 width / Picture1 width: divides display coordinates into sheet pixels.
    [[nodiscard]] double displayScale() const;
    [[nodiscard]] const workspace::RegionTables& regions() const { return m_regions; }

    // Shows the picture in the sheet view, fitted to the window's width, as the sheet to mark:
    // clears the region list, disables undo, renders the display surface and saves it as
    // undo_new.bmp.
    void layoutSheetView(const QImage& picture);

    // VScroll1's range and steps for the display surface's current height.
    void layoutScrollBar();

    // Shows a picture in the sheet view at the view's current size and place, stretched to it;
    // the sheet surface, the display surface and the region marking are not touched.
    void showPicture(const QImage& picture);
    // The picture the sheet view shows.
    [[nodiscard]] QImage shownPicture() const;
    // The sheet surface as result computation leaves it: the last marked sheet.
    void replaceSheetSurface(imaging::SheetSurface surface);
    // The result steps, holding resultNumber and the print settings.
    [[nodiscard]] ResultActions& resultActions() { return *m_resultActions; }
    // The workspace reset sets resultNumber back to 0.
    void resetResultNumber();

    enum class NewFolderButton { Hidden, Shown };
    // The folder dialog, opening in startFolder, with a check box under its file view for each
    // of `checks`: the chosen folder's full path, or an empty text when cancelled. The checks
    // then hold the boxes' states.
    [[nodiscard]] QString getDir(const QString& title, NewFolderButton newFolderButton,
                                 const QString& startFolder,
                                 QList<widgets::FolderDialogCheck>& checks);

    // Writes the region list to ini/zahyo.txt, one line per region; no regions give an empty file.
    workspace::Status writeRegionFile() const;

    // 10.初期化: moves the text data out of ini/, shows sheet 1 afresh for new marking and
    // enables the zoom buttons.
    void resetWorkspace();

private:
    void createControls();
    void connectControls();
    void placeWindow();
    void applySheetViewGeometry();
    void onScroll(int value);
    void showMessage(const QString& text);
    // Loads the sheet file and lays the view out for it; false (with a message) when unreadable.
    bool showSheetFile(const QString& path);
    void clearSheetView();
    void setZoomButtonsEnabled(bool enabled);
    void saveDisplaySnapshot();

    void importSheets();
    void onSheetPressed(QPointF positionTwips);
    void completeRegion(const RegionMarker::Corners& corners);
    void undoRegion();
    void cutAnswers();
    void zoomSheetView(ZoomDirection direction);

    workspace::Workspace m_workspace;
    QRectF m_windowTwips;
    QRectF m_viewTwips;
    imaging::SheetSurface m_sheetSurface;
    QImage m_displaySurface;
    workspace::RegionTables m_regions;
    RegionMarker m_marker;

    SheetView* m_sheetView = nullptr;
    QScrollBar* m_scrollBar = nullptr;
    QGroupBox* m_frame = nullptr;
    QPushButton* m_importButton = nullptr;         // Command2
    QPushButton* m_undoButton = nullptr;           // Command1
    QPushButton* m_cutButton = nullptr;            // Command3
    QPushButton* m_rosterButton = nullptr;         // Command7
    QPushButton* m_gradingButton = nullptr;        // Command4
    QPushButton* m_computeButton = nullptr;        // Command5
    QCheckBox* m_showRankCheck = nullptr;          // chkJuni
    QPushButton* m_reduceButton = nullptr;         // Command13
    QPushButton* m_enlargeButton = nullptr;        // Command12
    QPushButton* m_previousResultButton = nullptr; // Command9
    QLineEdit* m_resultNumberEdit = nullptr;       // Text1
    QPushButton* m_nextResultButton = nullptr;     // Command10
    QPushButton* m_printButton = nullptr;          // Command8
    QPushButton* m_gradeTableButton = nullptr;     // Command11
    QPushButton* m_resetButton = nullptr;          // Command14
    QPushButton* m_statisticsButton = nullptr;     // cmdKanten
    QPushButton* m_pdfButton = nullptr;            // cmdPdf
    QPushButton* m_exitButton = nullptr;           // Command6
    ResultActions* m_resultActions = nullptr;
};

} // namespace main_window
