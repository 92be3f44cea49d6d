#include "bmp_saving.h"

#include "workspace/atomic_file.h"
#include "workspace/file_messages.h"

#include <QBuffer>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

workspace::Status saveBmp(const QImage& image, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP"))
        return workspace::Failure{
            workspace::messages::cannotWrite(path, u"画像を BMP 形式にできません。"_s)};
    return workspace::writeFileAtomically(path, bytes);
}

} // namespace imaging
