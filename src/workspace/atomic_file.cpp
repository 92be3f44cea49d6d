#include "atomic_file.h"

#include "file_messages.h"

#include <QFile>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace workspace {

Status writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{messages::cannotWrite(path, file.errorString())};
    // QSaveFile::commit() can report success after a short write or a failed flush on a full
    // disk, replacing the old file with a truncated one; check both before committing.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason =
            file.errorString().isEmpty() ? u"ディスクに空きがありません。"_s : file.errorString();
        file.cancelWriting();
        file.commit();
        return Failure{messages::cannotWrite(path, reason)};
    }
    if (!file.commit())
        return Failure{messages::cannotWrite(path, file.errorString())};
    return {};
}

Expected<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{messages::cannotRead(path, file.errorString())};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failure{messages::cannotRead(path, file.errorString())};
    return bytes;
}

} // namespace workspace
