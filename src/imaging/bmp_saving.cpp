#include "bmp_saving.h"

#include "bmp_codec.h"

#include "workspace/atomic_file.h"
#include "workspace/file_messages.h"

using namespace Qt::Literals::StringLiterals;

namespace imaging {

workspace::Status saveBmp(const QImage& image, const QString& path)
{
    if (image.isNull())
        return workspace::Failure{
            workspace::messages::cannotWrite(path, u"保存する画像がありません。"_s)};
    return workspace::writeFileAtomically(path, encodeBmp(image));
}

} // namespace imaging
