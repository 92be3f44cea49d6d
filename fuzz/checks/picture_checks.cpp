// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_support.h"
#include "input_checks.h"

#include "imaging/bmp_codec.h"
#include "imaging/bmp_rows.h"
#include "imaging/cutout.h"
#include "imaging/jpeg_to_bmp.h"
#include "imaging/picture_loading.h"
#include "imaging/scan_conversion.h"
#include "imaging/sheet_cutting.h"
#include "steps/marked_sheet.h"
#include "workspace/atomic_file.h"
#include "workspace/folders.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::RegionRect;
namespace paths = workspace::paths;

namespace fuzzing {

namespace {

// Inside the sheet, across its top-left corner, and beyond its bottom-right corner.
const QList<RegionRect> kRegions{{2, 9, 7, 1}, {-3, 4, 5, -6}, {30, 60, 70, 40}};

bool hasSize(const QImage& image, const RegionRect& region)
{
    return image.size() == QSize(region.width(), region.height());
}

// What import stored must be a sheet in the workspace's own layout that cutting reads in place,
// of the scan's size when the scan loads; cutting it and laying it under the marks must work.
void checkStoredSheet(const std::optional<QSize>& scanSize, Findings& findings)
{
    const workspace::Workspace& scratch = scratchWorkspace();
    const QString sheetPath = scratch.path(paths::sheetImage(1));
    const Expected<QByteArray> stored = workspace::readWholeFile(sheetPath);
    findings.require(stored.hasValue(), u"the stored sheet cannot be read"_s);
    if (!stored)
        return;
    const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(*stored);
    findings.require(rows.has_value(), u"the stored sheet is not a 24-bit BMP"_s);
    if (!rows)
        return;
    const QSize size = rows->size();
    if (scanSize)
        findings.require(size == *scanSize,
                         u"the stored sheet is %1 × %2, the scan %3 × %4"_s.arg(
                             QString::number(size.width()), QString::number(size.height()),
                             QString::number(scanSize->width()),
                             QString::number(scanSize->height())));

    for (int region = 1; region <= kRegions.size(); ++region)
        (void)workspace::prepareEmptyFolder(scratch.path(paths::cutoutFolder(region)));
    const workspace::Status cut = imaging::cutSheet(scratch, 1, kRegions);
    findings.require(cut.ok(), u"the stored sheet cannot be cut: "_s + cut.error());
    for (int region = 1; cut && region <= kRegions.size(); ++region) {
        const Expected<QImage> cutout =
            imaging::loadPicture(scratch.path(paths::cutoutImage(region, 1)));
        findings.require(cutout && hasSize(*cutout, kRegions[region - 1]),
                         u"cut-out %1 is not the region's size"_s.arg(region));
    }
    const Expected<steps::MarkedSheet> marked = steps::loadMarkingSurface(sheetPath);
    findings.require(marked && marked->pictureSize == size,
                     u"the stored sheet does not go under the marks"_s);
}

// A scan file as import, cutting, the viewers and result computation meet it.
std::optional<QString> checkScan(const QString& scanName, QByteArrayView input)
{
    Findings findings;
    const workspace::Workspace& scratch = scratchWorkspace();
    const QString scanPath = placeInput(u"scans/"_s + scanName, input);

    if (const std::optional<QImage> decoded = imaging::decodeBmp(input)) {
        findings.require(!decoded->isNull(), u"a decoded BMP without pixels"_s);
    }
    if (const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(input)) {
        for (const RegionRect& region : kRegions)
            findings.require(hasSize(imaging::cutOut(*rows, region), region),
                             u"a cut-out read in place is not the region's size"_s);
    }

    const Expected<QImage> picture = imaging::loadPicture(scanPath);
    if (picture) {
        findings.require(!picture->isNull(), u"a loaded picture without pixels"_s);
        findings.require(qint64(picture->width()) * picture->height() <= imaging::kMaxPicturePixels,
                         u"a picture beyond the pixel limit was loaded"_s);
    } else {
        findings.requireNamed(picture.error(), scanPath);
    }

    (void)workspace::ensureFolder(scratch.path(paths::sheetFolder()));
    removeFile(paths::sheetImage(1));
    const workspace::Status converted =
        imaging::convertScan(scanPath, scratch.path(paths::sheetImage(1))).status;
    if (!converted) {
        findings.require(converted.error().contains(scanName)
                             || converted.error().contains(u"001.bmp"_s),
                         u"a refused scan is not named: "_s + converted.error());
        findings.require(!QFileInfo::exists(scratch.path(paths::sheetImage(1))),
                         u"a refused scan left a sheet behind"_s);
        return findings.first();
    }
    // Import takes what loadPicture refuses only through the direct JPEG conversion, which
    // checks the file on its own terms.
    findings.require(picture.hasValue() || input.startsWith("\xFF\xD8"),
                     u"import stored a scan that loading refuses: "_s
                         + (picture ? QString() : picture.error()));
    checkStoredSheet(picture ? std::optional<QSize>(picture->size()) : std::nullopt, findings);
    return findings.first();
}

} // namespace

std::optional<QString> checkBmpPicture(QByteArrayView input)
{
    return checkScan(u"scan.bmp"_s, input);
}

std::optional<QString> checkJpegPicture(QByteArrayView input)
{
    Findings findings;
    if (const std::optional<QByteArray> bmp = imaging::jpegToBmp(input)) {
        const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(*bmp);
        findings.require(rows.has_value(), u"a converted JPEG is not a 24-bit BMP"_s);
        findings.require(imaging::decodeBmp(*bmp).has_value(),
                         u"a converted JPEG does not decode"_s);
    }
    if (const std::optional<QString> scan = checkScan(u"scan.jpg"_s, input))
        findings.require(false, *scan);
    return findings.first();
}

} // namespace fuzzing
