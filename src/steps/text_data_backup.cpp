// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_data_backup.h"

#include "workspace/file_messages.h"
#include "workspace/workspace_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace steps {

workspace::Status backUpTextData(const QString& dataFolder, const QDateTime& now)
{
    const QDir data(dataFolder);
    QStringList names = data.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeIf(
        [](const QString& name) { return !name.endsWith(u".txt"_s, Qt::CaseInsensitive); });
    if (names.isEmpty())
        return {};

    const QString stamp = data.filePath(u"backup/"_s + now.toString(u"yyyyMMdd-HHmmss"_s));
    QString target = stamp;
    for (int attempt = 2; QFileInfo::exists(target); ++attempt)
        target = u"%1-%2"_s.arg(stamp, QString::number(attempt));
    if (!QDir().mkpath(target))
        return workspace::Failure{workspace::messages::cannotCreateFolder(target)};

    for (const QString& name : names) {
        const QString from = data.filePath(name);
        const QString to = QDir(target).filePath(name);
        if (!QFile::rename(from, to))
            return workspace::Failure{u"ファイル「%1」を「%2」へ退避できません。"_s.arg(
                workspace::displayPath(from), workspace::displayPath(target))};
    }
    return {};
}

} // namespace steps
