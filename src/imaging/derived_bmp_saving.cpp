#include "derived_bmp_saving.h"

#include "bmp_codec.h"
#include "workspace/file_messages.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

namespace {

// Handing the kernel a whole 12 MB sheet in one write() measured several times slower than the
// same bytes in pieces of a megabyte.
constexpr qsizetype kWriteChunk = 1 << 20;

bool writeInChunks(QFile& file, const QByteArray& bytes)
{
    for (qsizetype offset = 0; offset < bytes.size(); offset += kWriteChunk) {
        const qsizetype length = std::min(kWriteChunk, bytes.size() - offset);
        if (file.write(bytes.constData() + offset, length) != length)
            return false;
    }
    return file.flush();
}

} // namespace

workspace::Status saveDerivedBmp(const QImage& image, const QString& path)
{
    using workspace::messages::cannotWrite;
    if (image.isNull())
        return workspace::Failure{cannotWrite(path, u"保存する画像がありません。"_s)};
    return writeDerivedFile(path, encodeBmp(image));
}

workspace::Status writeDerivedFile(const QString& path, const QByteArray& bytes)
{
    using workspace::messages::cannotWrite;
    // One writer per file, so a fixed name next to it will do; a leftover from a crash is
    // overwritten here or removed when the step empties the folder.
    const QString partPath = path + u".part"_s;
    QFile file(partPath);
    auto fail = [&](const QString& reason) {
        file.close();
        QFile::remove(partPath);
        return workspace::Failure{cannotWrite(path, reason)};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(file.errorString());
    if (!writeInChunks(file, bytes))
        return fail(file.errorString().isEmpty() ? u"ディスクに空きがありません。"_s
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

} // namespace imaging
