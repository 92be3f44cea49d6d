// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>
#include <QList>
#include <QString>

class QWidget;

namespace widgets {

// A check box shown under the folder dialog's file view: its object name, its caption and
// whether it is ticked, before the dialog and, once a folder is chosen, after it.
struct FolderDialogCheck {
    QString name;
    QString caption;
    bool checked = false;
};

// The folder dialog, opening in startFolder: the chosen folder's full path, or an empty text
// when cancelled. Qt's own dialog, never the desktop's, so that the check boxes always show;
// they are left as they were on a cancel.
[[nodiscard]] QString chooseFolder(QWidget* parent, const QString& title,
                                   const QString& startFolder, QFileDialog::Options options,
                                   QList<FolderDialogCheck>& checks);

} // namespace widgets
