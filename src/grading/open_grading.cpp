// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_grading.h"

#include "grading_tables.h"
#include "grading_window.h"
#include "journal_recovery.h"
#include "workspace/limits.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

namespace grading {

namespace {

// Looks at the journal an earlier opening left and asks whether to restore its changes; a
// journal that is not restored is emptied.
JournalStart startJournal(const workspace::Workspace& workspace, const GradingTables& saved,
                          QWidget* mainWindow)
{
    const JournalFindings findings = inspectJournal(workspace, saved);
    const Recovery& recovery = findings.recovery;
    JournalStart start{workspace.path(workspace::paths::journalFile()), findings.base, {}, {}};
    if (recovery.kind == RecoveryKind::Restorable) {
        QMessageBox question(QMessageBox::Question, workspace::applicationTitle(),
                             recoveryQuestion(recovery, start.path), QMessageBox::NoButton,
                             mainWindow);
        QPushButton* restore = question.addButton(u"復元する"_s, QMessageBox::AcceptRole);
        question.addButton(u"復元しない"_s, QMessageBox::DestructiveRole);
        question.setDefaultButton(restore);
        question.exec();
        if (question.clickedButton() == restore) {
            start.restored = recovery.changes;
            start.restoredTime = recovery.lastChange;
            return start;
        }
    } else if (recovery.kind == RecoveryKind::Unusable) {
        QMessageBox::information(mainWindow, workspace::applicationTitle(),
                                 unusableJournalNotice(recovery, start.path));
    }
    QFile::remove(start.path);
    return start;
}

} // namespace

GradingWindow* openGradingWindow(const workspace::Workspace& workspace, QWidget* mainWindow)
{
    if (!QFileInfo::exists(workspace.path(workspace::paths::regionFile())))
        return nullptr;
    workspace::Expected<GradingTables> tables = GradingTables::load(workspace);
    if (!tables) {
        QMessageBox::information(mainWindow, workspace::applicationTitle(), tables.error());
        return nullptr;
    }

    const JournalStart journal = startJournal(workspace, *tables, mainWindow);
    auto* window = new GradingWindow(workspace, std::move(tables).value(), journal);
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
