// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print_settings.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace results {

// The print settings dialog (Form5, "印刷設定"): scope, paper size and orientation. It opens
// with "A4", "横" and the check box clear every time; nothing is remembered in the dialog.
class PrintSettingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit PrintSettingsDialog(QWidget* parent = nullptr);

    // The choices the controls show.
    [[nodiscard]] PrintSettings chosen() const;

private:
    QCheckBox* m_onlyShownCheck = nullptr;  // Check1
    QComboBox* m_paperSizeList = nullptr;   // Combo1
    QComboBox* m_orientationList = nullptr; // Combo2
    QPushButton* m_runButton = nullptr;     // Command1
    QPushButton* m_cancelButton = nullptr;  // Command2
};

// Shows the dialog modally: the choices on "実行"; nothing when "キャンセル", the close box or
// Escape cancels.
[[nodiscard]] std::optional<PrintSettings> askPrintSettings(QWidget* parent);

} // namespace results
