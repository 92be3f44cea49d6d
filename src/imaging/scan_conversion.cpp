// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_conversion.h"

#include "blank_page.h"
#include "bmp_codec.h"
#include "bmp_rows.h"
#include "derived_bmp_saving.h"
#include "exif_orientation.h"
#include "jpeg_to_bmp.h"
#include "open_pdf_files.h"
#include "picture_loading.h"

#include "workspace/file_messages.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace imaging {

namespace {

constexpr int kUpright = 1;

// A sheet that cannot be written (a full disk) names the scan it was made from as well.
ScanConversion naming(const QString& scanName, const workspace::Status& stored)
{
    if (stored)
        return {};
    return {workspace::Failure{u"スキャン画像「%1」を答案として保存できません。\n%2"_s.arg(
                scanName, stored.error())},
            true};
}

ScanConversion storeBmp(QByteArray bmp, const QString& name, const QString& sheetPath,
                        const ConversionOptions& options)
{
    if (options.fitting)
        bmp = (*options.fitting)(std::move(bmp));
    ScanConversion conversion = naming(name, writeDerivedFile(sheetPath, bmp));
    if (conversion.status && options.blankCheck == BlankCheck::Judge)
        if (const std::optional<BmpRows> rows = BmpRows::fromBytes(bmp))
            conversion.blank = isBlankPage(*rows);
    return conversion;
}

// A sheet has no transparency: what a picture leaves transparent is white paper, not the black
// that its transparent pixels hold.
QImage onPaper(const QImage& picture)
{
    QImage paper(picture.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, picture);
    return paper;
}

ScanConversion storePicture(QImage picture, const QString& name, const QString& sheetPath,
                            const ConversionOptions& options)
{
    if (picture.hasAlphaChannel())
        picture = onPaper(picture);
    else if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_BGR888)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    // The fitting works on the bytes that would be stored.
    if (options.fitting)
        return storeBmp(encodeBmp(picture), name, sheetPath, options);
    ScanConversion conversion = naming(name, saveDerivedBmp(picture, sheetPath));
    if (conversion.status && options.blankCheck == BlankCheck::Judge)
        conversion.blank = isBlankPage(picture);
    return conversion;
}

ScanConversion convertPicture(QIODevice& scan, const QString& name, const QString& sheetPath,
                              const PictureChoice& choice, const ConversionOptions& options)
{
    // A JPEG that needs no turning is decoded straight into the sheet's rows.
    if (choice.index == 0 && scan.peek(2) == "\xFF\xD8") {
        const QByteArray jpeg = scan.readAll();
        if (choice.orientation == PictureChoice::Orientation::AsStored
            || exifOrientation(jpeg) == kUpright) {
            if (std::optional<QByteArray> bmp = jpegToBmp(jpeg))
                return storeBmp(std::move(*bmp), name, sheetPath, options);
        }
        if (!scan.seek(0))
            return {workspace::Failure{workspace::messages::cannotRead(name, scan.errorString())}};
    }
    workspace::Expected<QImage> picture = readPicture(scan, name, choice);
    if (!picture)
        return {workspace::Failure{picture.error()}};
    return storePicture(std::move(picture).value(), name, sheetPath, options);
}

int pageIndex(const ScanPage& page)
{
    return std::max(page.pageNumber, 1) - 1;
}

ScanConversion convertOpenPdfPage(OpenPdf& pdf, const ScanPage& page, const QString& sheetPath,
                                  const ConversionOptions& options)
{
    const QString name = page.displayName();
    const int index = pageIndex(page);
    const workspace::Expected<PdfPagePlan> plan = pdf.structure->plan(index, name);
    if (!plan)
        return {workspace::Failure{plan.error()}};
    ScanConversion conversion;
    if (!plan->jpeg.isEmpty()) {
        QBuffer jpeg;
        jpeg.setData(plan->jpeg);
        jpeg.open(QIODevice::ReadOnly);
        // As the page shows it: a PDF viewer ignores what the picture says of its orientation.
        conversion = convertPicture(jpeg, name, sheetPath,
                                    {0, PictureChoice::Orientation::AsStored}, options);
    } else {
        if (!pdf.renderer) {
            workspace::Expected<std::unique_ptr<PdfRenderer>> renderer =
                PdfRenderer::open(page.file, name);
            if (!renderer)
                return {workspace::Failure{renderer.error()}};
            pdf.renderer = std::move(renderer).value();
        }
        workspace::Expected<QImage> rendered =
            pdf.renderer->render(index, plan->renderDpi, plan->content, name);
        if (!rendered)
            return {workspace::Failure{rendered.error()}};
        conversion = storePicture(std::move(rendered).value(), name, sheetPath, options);
    }
    if (conversion.status && index > 0) {
        const workspace::Expected<QSizeF> firstPaper = pdf.structure->paperSize(0, name);
        conversion.otherPaper = firstPaper && isOtherPaper(plan->paperSize, *firstPaper);
    }
    return conversion;
}

ScanConversion convertPdfPage(const ScanPage& page, const QString& sheetPath,
                              const ConversionOptions& options)
{
    std::unique_ptr<OpenPdf> pdf = options.pdfFiles ? options.pdfFiles->take(page.file) : nullptr;
    if (!pdf) {
        workspace::Expected<std::unique_ptr<PdfDocument>> structure =
            PdfDocument::open(page.file, page.displayName());
        if (!structure)
            return {workspace::Failure{structure.error()}};
        pdf = std::make_unique<OpenPdf>();
        pdf->structure = std::move(structure).value();
    }
    const ScanConversion conversion = convertOpenPdfPage(*pdf, page, sheetPath, options);
    if (options.pdfFiles)
        options.pdfFiles->giveBack(page.file, std::move(pdf));
    return conversion;
}

} // namespace

ScanConversion convertScan(QIODevice& scan, const QString& name, const QString& sheetPath)
{
    return convertPicture(scan, name, sheetPath, {}, {});
}

ScanConversion convertScanPage(const ScanPage& page, const QString& sheetPath,
                               const ConversionOptions& options)
{
    // Read, not mapped: scans often sit on a memory card, and a mapped file that disappears
    // takes the program down instead of failing a read.
    QFile file(page.file);
    if (!file.open(QIODevice::ReadOnly))
        return {workspace::Failure{
            workspace::messages::cannotRead(page.displayName(), file.errorString())}};
    if (scanKind(file.peek(kScanHeadSize)) == ScanKind::Pdf) {
        file.close();
        return convertPdfPage(page, sheetPath, options);
    }
    return convertPicture(file, page.displayName(), sheetPath, {pageIndex(page)}, options);
}

ScanConversion convertScan(const QString& scanPath, const QString& sheetPath)
{
    return convertScanPage(ScanPage{scanPath, 0}, sheetPath);
}

} // namespace imaging
