#include "scan_conversion.h"

#include "derived_bmp_saving.h"
#include "jpeg_to_bmp.h"
#include "picture_loading.h"

#include <QFile>

namespace imaging {

workspace::Status convertScan(const QString& scanPath, const QString& sheetPath)
{
    // Read, not mapped: scans often sit on a memory card, and a mapped file that disappears
    // takes the program down instead of failing a read.
    QFile scan(scanPath);
    if (scan.open(QIODevice::ReadOnly) && scan.peek(2) == "\xFF\xD8") {
        if (std::optional<QByteArray> bmp = jpegToBmp(scan.readAll()))
            return writeDerivedFile(sheetPath, *bmp);
    }
    workspace::Expected<QImage> picture = loadPicture(scanPath);
    if (!picture)
        return workspace::Failure{picture.error()};
    return saveDerivedBmp(*picture, sheetPath);
}

} // namespace imaging
