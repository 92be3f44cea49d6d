// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace_files.h"

#include "imaging/picture_loading.h"

#include <QDir>
#include <QDirIterator>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace test_support {

QStringList filesUnder(const TemporaryWorkspace& folder)
{
    const QDir root(folder.path(QString()));
    QStringList files;
    QDirIterator entries(root.path(), QDir::Files | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        files.append(root.relativeFilePath(entries.next()));
    files.sort();
    return files;
}

void expectEveryPictureWhole(const TemporaryWorkspace& folder, const QString& under)
{
    for (const QString& file : filesUnder(folder)) {
        if (!file.startsWith(under) || !file.endsWith(u".bmp"_s))
            continue;
        const workspace::Expected<QImage> picture = imaging::loadPicture(folder.path(file));
        EXPECT_TRUE(picture.hasValue()) << picture.error().toStdString();
    }
}

} // namespace test_support
