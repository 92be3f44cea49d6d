// SPDX-License-Identifier: GPL-3.0-or-later
#include "derived_bmp_saving.h"

#include "bmp_codec.h"
#include "workspace/file_messages.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

// Writes through a temporary file next to the target, renamed over it once complete. One writer
// per file, so a fixed name will do; a leftover from a crash is overwritten here or removed when
// the step empties the folder.
workspace::Status writeDerivedFile(const QString& path,
                                   const std::function<bool(QIODevice&)>& write)
{
    using workspace::messages::cannotWrite;
    const QString partPath = path + u".part"_s;
    QFile file(partPath);
    auto fail = [&](const QString& reason) {
        file.close();
        QFile::remove(partPath);
        return workspace::Failure{cannotWrite(path, reason)};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file.errorString());
    // A short write records no error, and errorString() then says only "Unknown error".
    if (!write(file) || !file.flush())
        return fail(file.error() == QFileDevice::NoError ? workspace::messages::writeStoppedShort()
                                                         : file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    // QFile::rename refuses to replace an existing file; the system call replaces it atomically.
    if (std::rename(QFile::encodeName(partPath).constData(), QFile::encodeName(path).constData())
        != 0)
        return fail(qt_error_string(errno));
    return {};
}

workspace::Status saveDerivedBmp(const QImage& image, const QString& path)
{
    if (image.isNull())
        return workspace::Failure{
            workspace::messages::cannotWrite(path, u"保存する画像がありません。"_s)};
    return writeDerivedFile(path, [&image](QIODevice& file) { return writeBmp(image, file); });
}

workspace::Status writeDerivedFile(const QString& path, const QByteArray& bytes)
{
    return writeDerivedFile(path, [&bytes](QIODevice& file) {
        for (qsizetype offset = 0; offset < bytes.size(); offset += kWriteChunk) {
            const qsizetype length = std::min(kWriteChunk, bytes.size() - offset);
            if (file.write(bytes.constData() + offset, length) != length)
                return false;
        }
        return true;
    });
}

} // namespace imaging
