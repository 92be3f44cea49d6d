// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_location.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

namespace paths {

QString sampleFolder()
{
    return u"サンプル試験"_s;
}

QString sampleScans()
{
    return sampleFolder() + QDir::separator() + u"答案"_s;
}

QString sampleRoster()
{
    return sampleFolder() + QDir::separator() + u"名簿.txt"_s;
}

} // namespace paths

namespace {

QString sampleOrHome(const Workspace& workspace, const QString& sampleItem,
                     const QString& doneOnceExists)
{
    const QString sample = workspace.path(sampleItem);
    if (QFileInfo(sample).isDir() && !QFileInfo::exists(workspace.path(doneOnceExists)))
        return sample;
    return QDir::homePath();
}

} // namespace

QString importDialogFolder(const Workspace& workspace)
{
    return sampleOrHome(workspace, paths::sampleScans(), paths::sheetImage(1));
}

QString rosterDialogFolder(const Workspace& workspace)
{
    return sampleOrHome(workspace, paths::sampleFolder(), paths::rosterFile());
}

} // namespace workspace
