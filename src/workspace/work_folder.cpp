#include "work_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

bool isWritableFolder(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(u".write-test-XXXXXX"_s));
    return probe.open();
}

WorkFolderChoice chooseWorkFolder(const QString& programFolder)
{
    if (isWritableFolder(programFolder))
        return {programFolder, false};
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return {dataFolder, true};
}

} // namespace workspace
