#include "scan_conversion.h"

#include "derived_bmp_saving.h"
#include "picture_loading.h"

namespace imaging {

workspace::Status convertScan(const QString& scanPath, const QString& sheetPath) {
    workspace::Expected<QImage> picture = loadPicture(scanPath);
    if (!picture)
        return workspace::Failure{picture.error()};
    return saveDerivedBmp(*picture, sheetPath);
}

} // namespace imaging
