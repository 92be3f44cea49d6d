// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_support.h"
#include "input_checks.h"

#include "imaging/bmp_codec.h"
#include "imaging/bmp_rows.h"
#include "imaging/cutout.h"
#include "imaging/jpeg_to_bmp.h"
#include "imaging/open_pdf_files.h"
#include "imaging/pdf_document.h"
#include "imaging/picture_loading.h"
#include "imaging/scan_conversion.h"
#include "imaging/sheet_cutting.h"
#include "steps/marked_sheet.h"
#include "workspace/atomic_file.h"
#include "workspace/folders.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::RegionRect;
namespace paths = workspace::paths;

namespace fuzzing {

namespace {

// Pages of a PDF or TIFF converted for one input: enough to reach a second page's paper check.
constexpr int kPagesChecked = 3;

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

// The pages of a scan file of several as import meets them: each page is stored as a sheet in
// the workspace's layout, of the size `expectedSize` gives when it knows one, or refused by name
// leaving nothing behind.
void checkPages(const QString& scanName, QByteArrayView input,
                const std::function<std::optional<QSize>(const imaging::ScanPage&)>& expectedSize,
                Findings& findings)
{
    const workspace::Workspace& scratch = scratchWorkspace();
    const QString scanPath = placeInput(u"scans/"_s + scanName, input);
    const QString sheetPath = scratch.path(paths::sheetImage(1));
    (void)workspace::ensureFolder(scratch.path(paths::sheetFolder()));
    const QList<imaging::ScanPage> pages = imaging::scanPages(scanPath);
    findings.require(!pages.isEmpty(), u"a scan file gave no page"_s);
    imaging::OpenPdfFiles pdfFiles;
    for (const imaging::ScanPage& page :
         pages.first(std::min<qsizetype>(pages.size(), kPagesChecked))) {
        removeFile(paths::sheetImage(1));
        const imaging::ScanConversion converted =
            imaging::convertScanPage(page, sheetPath, {imaging::BlankCheck::Judge, &pdfFiles});
        if (!converted.status) {
            findings.require(converted.status.error().contains(scanName)
                                 || converted.status.error().contains(u"001.bmp"_s),
                             u"a refused page is not named: "_s + converted.status.error());
            findings.require(!QFileInfo::exists(sheetPath),
                             u"a refused page left a sheet behind"_s);
            continue;
        }
        checkStoredSheet(expectedSize(page), findings);
    }
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

std::optional<QString> checkPdfScan(QByteArrayView input)
{
    Findings findings;
    const QString name = u"scan.pdf"_s;
    const workspace::Expected<std::unique_ptr<imaging::PdfDocument>> document =
        imaging::PdfDocument::fromBytes(input.toByteArray(), name);
    if (document) {
        const int pages = (*document)->pageCount();
        findings.require(pages > 0, u"a PDF without pages was opened"_s);
        for (int index = 0; index < std::min(pages, kPagesChecked); ++index) {
            const workspace::Expected<imaging::PdfPagePlan> plan = (*document)->plan(index, name);
            if (!plan) {
                findings.requireNamed(plan.error(), name);
                continue;
            }
            findings.require(!plan->jpeg.isEmpty()
                                 || (plan->renderDpi >= 100 && plan->renderDpi <= 600),
                             u"a page is to be rendered at %1 dpi"_s.arg(plan->renderDpi));
            findings.require(plan->paperSize.width() > 0 && plan->paperSize.height() > 0,
                             u"a page without paper"_s);
        }
    } else {
        findings.requireNamed(document.error(), name);
    }
    checkPages(
        name, input, [](const imaging::ScanPage&) { return std::nullopt; }, findings);
    return findings.first();
}

std::optional<QString> checkTiffScan(QByteArrayView input)
{
    Findings findings;
    // A TIFF page is stored exactly when it loads, at the size it loads at.
    checkPages(
        u"scan.tif"_s, input,
        [&findings](const imaging::ScanPage& page) -> std::optional<QSize> {
            QFile file(page.file);
            if (!file.open(QIODevice::ReadOnly))
                return std::nullopt;
            const workspace::Expected<QImage> picture =
                imaging::readPicture(file, page.displayName(), {std::max(page.pageNumber, 1) - 1});
            findings.require(picture.hasValue(), u"import stored a page that loading refuses: "_s
                                                     + (picture ? QString() : picture.error()));
            return picture ? std::optional<QSize>(picture->size()) : std::nullopt;
        },
        findings);
    return findings.first();
}

} // namespace fuzzing
