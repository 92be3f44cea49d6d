// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_export_action.h"

#include "steps/pdf_export.h"
#include "widgets/busy_pointer.h"
#include "widgets/progress_run.h"
#include "workspace/limits.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace main_window {

namespace {

bool allowedToEmpty(QWidget* window, const workspace::Workspace& workFolder)
{
    const int existing = steps::filesInPdfFolder(workFolder);
    if (existing == 0)
        return true;
    const QString question =
        u"フォルダ「%1」には%2個のファイルがあります。\nこれらを削除して、PDFファイルを作り直しますか？"_s
            .arg(workspace::displayPath(workFolder.path(workspace::paths::pdfFolder())),
                 QString::number(existing));
    // The teacher asked for the export; what is deleted is made again by it.
    return QMessageBox::question(window, workspace::applicationTitle(), question,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
           == QMessageBox::Yes;
}

void announceSaved(QWidget* window, const steps::PdfExportOutcome& outcome)
{
    const QString folder = workspace::displayPath(outcome.folder);
    QMessageBox box(QMessageBox::Information, workspace::applicationTitle(),
                    u"%1個のPDFファイルを保存しました。\nフォルダ: %2"_s.arg(
                        QString::number(outcome.savedFiles), folder),
                    QMessageBox::NoButton, window);
    QPushButton* open = box.addButton(u"フォルダを開く"_s, QMessageBox::AcceptRole);
    box.addButton(u"閉じる"_s, QMessageBox::RejectRole);
    box.setDefaultButton(open);
    box.exec();
    if (box.clickedButton() == open
        && !QDesktopServices::openUrl(QUrl::fromLocalFile(outcome.folder)))
        QMessageBox::warning(
            window, workspace::applicationTitle(),
            u"フォルダを開くプログラムを起動できませんでした。\nPDFファイルは次のフォルダにあります。\n%1"_s
                .arg(folder));
}

} // namespace

void exportPdfs(QWidget* window, const workspace::Workspace& workFolder)
{
    if (steps::markedSheetCount(workFolder) == 0) {
        QMessageBox::information(window, workspace::applicationTitle(),
                                 steps::noMarkedSheetsMessage(workFolder));
        return;
    }
    if (!allowedToEmpty(window, workFolder))
        return;
    steps::PdfExportOutcome outcome;
    {
        // Reading the roster and emptying the folder come before the progress dialog shows.
        const widgets::BusyPointer busy;
        outcome =
            steps::exportPdfs(workFolder, [window](int count, const workspace::IndexedWork& work) {
                return widgets::runWithProgress(window, u"答案をPDFファイルに書き出しています"_s,
                                                count, work);
            });
    }
    switch (outcome.status) {
    case steps::PdfExportStatus::Saved: announceSaved(window, outcome); break;
    case steps::PdfExportStatus::NoMarkedSheets:
        QMessageBox::information(window, workspace::applicationTitle(), outcome.message);
        break;
    case steps::PdfExportStatus::Failed:
        QMessageBox::warning(window, workspace::applicationTitle(), outcome.message);
        break;
    }
}

} // namespace main_window
