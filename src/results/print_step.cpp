// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_step.h"

#include "imaging/picture_loading.h"
#include "print_settings_dialog.h"
#include "sheet_printing.h"
#include "widgets/busy_pointer.h"
#include "workspace/limits.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

using namespace Qt::Literals::StringLiterals;

namespace results {

namespace {

void warn(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, workspace::applicationTitle(), text);
}

// Prints every marked sheet; the first failure stops the printing and comes back.
workspace::Status printMarkedSheets(const workspace::Workspace& workFolder,
                                    const PrintSettings& settings, PrintDestination& destination,
                                    const std::function<void(const QImage&)>& showInView)
{
    const widgets::BusyPointer busy;
    const QDir root(workFolder.root());
    for (const QString& file : markedSheetFiles(workFolder)) {
        workspace::Expected<QImage> picture = imaging::loadPicture(file);
        if (!picture)
            return workspace::Failure{picture.error()};
        showInView(*picture);
        if (workspace::Status printed =
                printSheet(destination, *picture, settings, root.relativeFilePath(file));
            !printed)
            return printed;
        // Repaint the view between sheets; clicks wait, so that no other step starts halfway.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return {};
}

} // namespace

void runPrintStep(QWidget* parent, const workspace::Workspace& workFolder, PrintSettings& settings,
                  PrintDestination& destination, const QImage& shownPicture,
                  const std::function<void(const QImage&)>& showInView)
{
    if (!destination.isAvailable()) {
        warn(parent, u"既定のプリンタが設定されていないため、印刷できません。\n"
                     u"プリンタを既定のプリンタに設定してから、もう一度実行してください。"_s);
        return;
    }
    const std::optional<PrintSettings> chosen = askPrintSettings(parent);
    if (!chosen)
        return;
    settings = *chosen;
    workspace::Status printed;
    if (settings.scope == PrintScope::ShownPicture) {
        if (shownPicture.isNull()) {
            warn(parent, u"表示中の答案がないため、印刷できません。"_s);
            return;
        }
        printed = printSheet(destination, shownPicture, settings, u"表示中の答案"_s);
    } else {
        printed = printMarkedSheets(workFolder, settings, destination, showInView);
    }
    if (!printed)
        warn(parent, printed.error());
}

} // namespace results
