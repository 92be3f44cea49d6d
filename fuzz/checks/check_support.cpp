// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace fuzzing {

const workspace::Workspace& scratchWorkspace()
{
    static const QTemporaryDir folder;
    static const workspace::Workspace scratch = [] {
        if (!folder.isValid())
            throw std::runtime_error("cannot create a scratch folder");
        return workspace::Workspace(folder.path());
    }();
    return scratch;
}

QString placeInput(const QString& relative, QByteArrayView input)
{
    const QString path = scratchWorkspace().path(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(input.data(), input.size()) != input.size())
        throw std::runtime_error("cannot place an input in the scratch folder");
    return path;
}

void removeFile(const QString& relative)
{
    QFile::remove(scratchWorkspace().path(relative));
}

void Findings::require(bool holds, const QString& what)
{
    if (!holds && !m_first)
        m_first = what;
}

void Findings::requireNamed(const QString& message, const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    require(message.contains(name), u"the message does not name %1: %2"_s.arg(name, message));
}

} // namespace fuzzing
