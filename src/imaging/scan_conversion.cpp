#include "scan_conversion.h"

#include "derived_bmp_saving.h"
#include "jpeg_to_bmp.h"
#include "picture_loading.h"

#include "workspace/workspace_paths.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

namespace {

// A sheet that cannot be written (a full disk) names the scan it was made from as well.
ScanConversion naming(const QString& scanPath, const workspace::Status& stored)
{
    if (stored)
        return {};
    return {workspace::Failure{u"スキャン画像「%1」を答案として保存できません。\n%2"_s.arg(
                workspace::displayPath(scanPath), stored.error())},
            true};
}

} // namespace

ScanConversion convertScan(const QString& scanPath, const QString& sheetPath)
{
    // Read, not mapped: scans often sit on a memory card, and a mapped file that disappears
    // takes the program down instead of failing a read.
    QFile scan(scanPath);
    if (scan.open(QIODevice::ReadOnly) && scan.peek(2) == "\xFF\xD8") {
        if (std::optional<QByteArray> bmp = jpegToBmp(scan.readAll()))
            return naming(scanPath, writeDerivedFile(sheetPath, *bmp));
    }
    workspace::Expected<QImage> picture = loadPicture(scanPath);
    if (!picture)
        return {workspace::Failure{picture.error()}};
    return naming(scanPath, saveDerivedBmp(*picture, sheetPath));
}

} // namespace imaging
