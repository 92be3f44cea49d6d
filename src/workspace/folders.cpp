// SPDX-License-Identifier: GPL-3.0-or-later
#include "folders.h"

#include "file_messages.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace workspace {

namespace {

Status deleteFilesWhere(const QString& folder, const std::function<bool(const QString&)>& wanted)
{
    const QDir dir(folder);
    Status result;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!wanted(name))
            continue;
        const QString path = dir.filePath(name);
        if (!QFile::remove(path) && result.ok())
            result = Failure{messages::cannotDelete(path)};
    }
    return result;
}

} // namespace

Status ensureFolder(const QString& path)
{
    if (QDir(path).exists() || QDir().mkpath(path))
        return {};
    return Failure{messages::cannotCreateFolder(path)};
}

Status prepareEmptyFolder(const QString& path)
{
    if (!QDir(path).exists())
        return ensureFolder(path);
    return deleteFilesWhere(path, [](const QString&) { return true; });
}

Status deleteTextFiles(const QString& folder)
{
    return deleteFilesWhere(folder, [](const QString& name) {
        return name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive);
    });
}

} // namespace workspace
