#include "marked_sheet_file.h"

#include "workspace/file_messages.h"

#include <QFile>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace results {

namespace {

// Handing the kernel a whole 12 MB sheet in one write() measured several times slower than the
// same bytes in pieces of a megabyte.
constexpr qsizetype kWriteChunk = 1 << 20;

bool writeInChunks(QFile& file, const QByteArray& bytes) {
    for (qsizetype offset = 0; offset < bytes.size(); offset += kWriteChunk) {
        const qsizetype length = std::min(kWriteChunk, bytes.size() - offset);
        if (file.write(bytes.constData() + offset, length) != length)
            return false;
    }
    return file.flush();
}

} // namespace

workspace::Status writeMarkedSheetFile(const QString& path, const QByteArray& bytes) {
    // One writer per sheet, so the name is free; a leftover of a crash goes when the next run
    // empties the folder.
    QFile file(path + u".part"_s);
    const auto fail = [&file, &path](const QString& reason) {
        file.close();
        file.remove();
        return workspace::Failure{workspace::messages::cannotWrite(path, reason)};
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!writeInChunks(file, bytes))
        return fail(file.errorString().isEmpty() ? u"ディスクに空きがありません。"_s
                                                 : file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (!file.rename(path))
        return fail(file.errorString());
    return {};
}

} // namespace results
