// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imaging/mark_state.h"

#include <QPixmap>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace grading {

class PictureBox;

// The grading window's command panel (Picture3) at its right edge: selection, zoom, display,
// column and extract controls, "採点終了", and the hidden swatches the frames show. Below
// "採点終了", in the panel's free space, "無答を選択" and "似た順".
class CommandPanel : public QWidget {
    Q_OBJECT

public:
    explicit CommandPanel(QWidget* parent);

    // The picture of imgGray, imgBlue or imgYellow.
    [[nodiscard]] const QPixmap& swatch(imaging::MarkState state) const;

    struct Controls {
        QPushButton* selectAllButton = nullptr;      // Command2
        QPushButton* selectUnscoredButton = nullptr; // Command3
        QPushButton* clearSelectionButton = nullptr; // Command4
        QPushButton* enlargeButton = nullptr;        // Command6
        QPushButton* reduceButton = nullptr;         // Command5
        QCheckBox* hideGradedCheck = nullptr;        // Check1
        QCheckBox* showCommentsCheck = nullptr;      // Check2
        QLabel* columnsLabel = nullptr;              // Label4
        QPushButton* fewerColumnsButton = nullptr;   // cmdDown
        QLineEdit* columnsEdit = nullptr;            // Text1
        QPushButton* moreColumnsButton = nullptr;    // cmdUp
        QLineEdit* extractEdit = nullptr;            // Text2
        QPushButton* extractButton = nullptr;        // Command7
        QPushButton* finishButton = nullptr;         // Command1
        QPushButton* selectBlankButton = nullptr;    // cmdMutou
        QCheckBox* similarOrderCheck = nullptr;      // chkNiteru
    };

    [[nodiscard]] const Controls& controls() const { return m_controls; }

private:
    Controls m_controls;
    PictureBox* m_grayImage = nullptr;   // imgGray
    PictureBox* m_blueImage = nullptr;   // imgBlue
    PictureBox* m_yellowImage = nullptr; // imgYellow
};

} // namespace grading
