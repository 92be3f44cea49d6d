// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder_dialog.h"

#include <QCheckBox>
#include <QGridLayout>

namespace widgets {

QString chooseFolder(QWidget* parent, const QString& title, const QString& startFolder,
                     QFileDialog::Options options, QList<FolderDialogCheck>& checks)
{
    QFileDialog dialog(parent, title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(options | QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    QList<QCheckBox*> boxes;
    // Qt's dialog lays itself out on a grid; new rows go below its file view and name box.
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    for (const FolderDialogCheck& check : checks) {
        auto* box = new QCheckBox(check.caption, &dialog);
        box->setObjectName(check.name);
        box->setChecked(check.checked);
        if (grid)
            grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
        else if (dialog.layout())
            dialog.layout()->addWidget(box);
        boxes.append(box);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    for (qsizetype index = 0; index < checks.size(); ++index)
        checks[index].checked = boxes[index]->isChecked();
    return dialog.selectedFiles().value(0);
}

} // namespace widgets
