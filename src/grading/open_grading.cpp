// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_grading.h"

#include "grading_tables.h"
#include "grading_window.h"
#include "workspace/limits.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

namespace grading {

GradingWindow* openGradingWindow(const workspace::Workspace& workspace, QWidget* mainWindow)
{
    if (!QFileInfo::exists(workspace.path(workspace::paths::regionFile())))
        return nullptr;
    workspace::Expected<GradingTables> tables = GradingTables::load(workspace);
    if (!tables) {
        QMessageBox::information(mainWindow, workspace::applicationTitle(), tables.error());
        return nullptr;
    }

    auto* window = new GradingWindow(workspace, std::move(tables).value());
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (mainWindow) {
        // Shown again before the grading window is gone, so that the program never finds
        // itself without a visible window and quits.
        QObject::connect(window, &GradingWindow::closed, mainWindow,
                         [main = QPointer<QWidget>(mainWindow)] {
                             if (main)
                                 main->show();
                         });
        mainWindow->hide();
    }
    window->showWithPalette();
    return window;
}

} // namespace grading
