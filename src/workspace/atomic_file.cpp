// SPDX-License-Identifier: GPL-3.0-or-later
#include "atomic_file.h"

#include "file_messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace workspace {

namespace {

// Drops what was written to the temporary file; the old file stays.
void abandon(QSaveFile& file)
{
    file.cancelWriting();
    file.commit();
}

// Writes the bytes to the temporary file behind `file`, checking what QSaveFile does not:
// commit() can report success after a short write or a failed flush on a full disk, replacing
// the old file with a truncated one.
Status writeAll(QSaveFile& file, const QByteArray& bytes)
{
    if (!file.open(QIODevice::WriteOnly))
        return Failure{messages::cannotWrite(file.fileName(), file.errorString())};
    if (file.write(bytes) == bytes.size() && file.flush()) {
        // QSaveFile syncs before its rename too, but ignores the result; a disk that cannot
        // keep the data must not replace the old file.
        if (::fsync(file.handle()) == 0)
            return {};
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        abandon(file);
        return Failure{messages::cannotWrite(file.fileName(), reason)};
    }
    // A short write records no error, and errorString() then says only "Unknown error".
    const QString reason =
        file.error() == QFileDevice::NoError ? messages::writeStoppedShort() : file.errorString();
    abandon(file);
    return Failure{messages::cannotWrite(file.fileName(), reason)};
}

} // namespace

Status syncFolder(const QString& folder)
{
    const int descriptor = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    const bool synced = descriptor >= 0 && ::fsync(descriptor) == 0;
    const int error = errno;
    if (descriptor >= 0)
        ::close(descriptor);
    if (synced)
        return {};
    return Failure{
        messages::cannotConfirmOnDisk(folder, QString::fromLocal8Bit(std::strerror(error)))};
}

Status writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    return writeFilesAtomically({{path, bytes}});
}

Status writeFilesAtomically(const QList<FileContent>& files)
{
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const FileContent& content : files) {
        auto file = std::make_unique<QSaveFile>(content.path);
        if (Status status = writeAll(*file, content.bytes); !status) {
            for (const std::unique_ptr<QSaveFile>& earlier : written)
                abandon(*earlier);
            return status;
        }
        written.push_back(std::move(file));
    }
    for (std::size_t index = 0; index < written.size(); ++index) {
        QSaveFile& file = *written[index];
        if (!file.commit()) {
            for (std::size_t later = index + 1; later < written.size(); ++later)
                abandon(*written[later]);
            return Failure{messages::cannotWrite(file.fileName(), file.errorString())};
        }
    }
    // The renames live in the folder's entries: until the folder is synced, a power cut can
    // bring back the old files.
    QSet<QString> folders;
    for (const FileContent& content : files)
        folders.insert(QFileInfo(content.path).absolutePath());
    for (const QString& folder : folders)
        if (Status status = syncFolder(folder); !status)
            return status;
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
