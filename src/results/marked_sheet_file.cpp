#include "marked_sheet_file.h"

#include "workspace/file_messages.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace results {

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
    if (file.write(bytes) != bytes.size() || !file.flush())
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
