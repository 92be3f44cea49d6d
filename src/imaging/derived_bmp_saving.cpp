#include "derived_bmp_saving.h"

#include "bmp_codec.h"
#include "workspace/file_messages.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

workspace::Status saveDerivedBmp(const QImage& image, const QString& path) {
    using workspace::messages::cannotWrite;
    if (image.isNull())
        return workspace::Failure{cannotWrite(path, u"保存する画像がありません。"_s)};
    return writeDerivedFile(path, encodeBmp(image));
}

workspace::Status writeDerivedFile(const QString& path, const QByteArray& bytes) {
    using workspace::messages::cannotWrite;
    QTemporaryFile file(path + u".XXXXXX"_s);
    if (!file.open())
        return workspace::Failure{cannotWrite(path, file.errorString())};
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason =
            file.errorString().isEmpty() ? u"ディスクに空きがありません。"_s : file.errorString();
        return workspace::Failure{cannotWrite(path, reason)};
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return workspace::Failure{cannotWrite(path, file.errorString())};
    // QFile::rename refuses to replace an existing file; the system call replaces it atomically.
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return workspace::Failure{cannotWrite(path, qt_error_string(errno))};
    file.setAutoRemove(false);
    return {};
}

} // namespace imaging
