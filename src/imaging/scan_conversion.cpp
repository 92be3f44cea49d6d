#include "scan_conversion.h"

#include "derived_bmp_saving.h"
#include "jpeg_to_bmp.h"
#include "picture_loading.h"

#include <QFile>

namespace imaging {

workspace::Status convertScan(const QString& scanPath, const QString& sheetPath)
{
    QFile scan(scanPath);
    if (scan.open(QIODevice::ReadOnly) && scan.size() > 0) {
        if (const uchar* mapped = scan.map(0, scan.size()))
            if (std::optional<QByteArray> bmp = jpegToBmp(QByteArrayView(mapped, scan.size())))
                return writeDerivedFile(sheetPath, *bmp);
    }
    workspace::Expected<QImage> picture = loadPicture(scanPath);
    if (!picture)
        return workspace::Failure{picture.error()};
    return saveDerivedBmp(*picture, sheetPath);
}

} // namespace imaging
