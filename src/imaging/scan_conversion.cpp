// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_conversion.h"

#include "derived_bmp_saving.h"
#include "jpeg_to_bmp.h"
#include "picture_loading.h"

#include "workspace/file_messages.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

namespace {

// A sheet that cannot be written (a full disk) names the scan it was made from as well.
ScanConversion naming(const QString& scanName, const workspace::Status& stored)
{
    if (stored)
        return {};
    return {workspace::Failure{u"スキャン画像「%1」を答案として保存できません。\n%2"_s.arg(
                scanName, stored.error())},
            true};
}

} // namespace

ScanConversion convertScan(QIODevice& scan, const QString& name, const QString& sheetPath)
{
    if (scan.peek(2) == "\xFF\xD8") {
        if (std::optional<QByteArray> bmp = jpegToBmp(scan.readAll()))
            return naming(name, writeDerivedFile(sheetPath, *bmp));
        if (!scan.seek(0))
            return {workspace::Failure{workspace::messages::cannotRead(name, scan.errorString())}};
    }
    workspace::Expected<QImage> picture = readPicture(scan, name);
    if (!picture)
        return {workspace::Failure{picture.error()}};
    return naming(name, saveDerivedBmp(*picture, sheetPath));
}

ScanConversion convertScanPage(const ScanPage& page, const QString& sheetPath)
{
    // Read, not mapped: scans often sit on a memory card, and a mapped file that disappears
    // takes the program down instead of failing a read.
    QFile file(page.file);
    if (!file.open(QIODevice::ReadOnly))
        return {workspace::Failure{
            workspace::messages::cannotRead(page.displayName(), file.errorString())}};
    return convertScan(file, page.displayName(), sheetPath);
}

ScanConversion convertScan(const QString& scanPath, const QString& sheetPath)
{
    return convertScanPage(ScanPage{scanPath, 0}, sheetPath);
}

} // namespace imaging
