// SPDX-License-Identifier: GPL-3.0-or-later
#include "atomic_file.h"

#include "file_messages.h"

#include <QFile>
#include <QSaveFile>

#include <memory>
#include <vector>

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
    if (file.write(bytes) == bytes.size() && file.flush())
        return {};
    // A short write records no error, and errorString() then says only "Unknown error".
    const QString reason =
        file.error() == QFileDevice::NoError ? messages::writeStoppedShort() : file.errorString();
    abandon(file);
    return Failure{messages::cannotWrite(file.fileName(), reason)};
}

} // namespace

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
