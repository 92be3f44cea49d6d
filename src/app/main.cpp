// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/application_setup.h"
#include "main_window/main_window.h"
#include "workspace/limits.h"
#include "workspace/work_folder.h"
#include "workspace/work_folder_lock.h"
#include "workspace/workspace_paths.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"marutsuke"_s);
    if (!main_window::prepareApplication())
        return 1;

    const workspace::WorkFolderChoice folder = workspace::chooseWorkFolder(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    QTextStream(stderr) << u"作業フォルダ: "_s << workspace::displayPath(folder.path) << Qt::endl;
    // A second copy on the same folder would overwrite the first one's files.
    const workspace::WorkFolderLock lock(folder.path);
    if (!lock.isHeld()) {
        QMessageBox::warning(nullptr, workspace::applicationTitle(), lock.message());
        return 1;
    }
    main_window::MainWindow window{workspace::Workspace(folder.path)};
    window.show();
    if (const QString notice = workspace::workFolderNotice(folder); !notice.isEmpty())
        QMessageBox::information(&window, workspace::applicationTitle(), notice);
    return application.exec();
}
