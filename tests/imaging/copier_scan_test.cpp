// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/blank_page.h"
#include "imaging/exif_orientation.h"
#include "imaging/pdf_document.h"
#include "imaging/scan_conversion.h"
#include "scan_files.h"
#include "temporary_workspace.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

using namespace Qt::Literals::StringLiterals;
using namespace test_support;

namespace {

// Every pixel different, so that a shifted, turned or re-rendered copy shows.
QImage numbered(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + 3 * y) % 256));
    return image;
}

PdfTestPage drawnPage(QPageSize paper)
{
    return {paper, [](QPainter& painter, QSize pixels) {
                painter.fillRect(
                    QRect(pixels.width() / 4, pixels.height() / 2, pixels.width() / 2, 20),
                    Qt::black);
            }};
}

// Converts page `number` of the file into a sheet in the folder's touan/.
imaging::ScanConversion convert(const TemporaryWorkspace& folder, const QString& scan, int number)
{
    QDir().mkpath(folder.path(u"touan"_s));
    return imaging::convertScanPage({folder.path(scan), number},
                                    folder.path(u"touan/%1.bmp"_s.arg(number)),
                                    {imaging::BlankCheck::Judge});
}

QImage sheet(const TemporaryWorkspace& folder, int number)
{
    return QImage(folder.path(u"touan/%1.bmp"_s.arg(number))).convertToFormat(QImage::Format_RGB32);
}

// A copy of the PDF encrypted as PDF writers do; with an empty user password it opens without
// one and is protected against changes only.
void encrypt(const QString& from, const QString& to, const char* userPassword)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    QPDF pdf;
    pdf.processFile(source.constData());
    QPDFWriter writer(pdf, target.constData());
    writer.setR6EncryptionParameters(userPassword, "owner", true, false, false, false, false, false,
                                     qpdf_r3p_full, true);
    writer.write();
}

QList<int> pageNumbers(const QString& path)
{
    QList<int> numbers;
    for (const imaging::ScanPage& page : imaging::scanPages(path))
        numbers.append(page.pageNumber);
    return numbers;
}

} // namespace

TEST(PdfScan, AJpegPageIsItsOwnPictureAndAnyOtherPageIsRendered)
{
    TemporaryWorkspace folder;
    const QString pdf = folder.path(u"scans/copier.pdf"_s);
    QDir().mkpath(folder.path(u"scans"_s));
    writePdf(pdf, {picturePage(numbered({413, 585})), picturePage(writtenSheet({413, 585}, 2)),
                   drawnPage(QPageSize(QPageSize::A4))});
    ASSERT_EQ(pageNumbers(pdf), (QList<int>{1, 2, 3}));

    const QByteArray bytes = folder.readBytes(u"scans/copier.pdf"_s);
    for (int page = 1; page <= 2; ++page) {
        const imaging::ScanConversion stored = convert(folder, u"scans/copier.pdf"_s, page);
        ASSERT_TRUE(stored.status.ok()) << stored.status.error().toStdString();
        EXPECT_FALSE(stored.blank);
        EXPECT_EQ(
            sheet(folder, page),
            QImage::fromData(jpegInPdf(bytes, page - 1)).convertToFormat(QImage::Format_RGB32))
            << page;
    }

    ASSERT_TRUE(convert(folder, u"scans/copier.pdf"_s, 3).status.ok());
    const QImage rendered = sheet(folder, 3);
    EXPECT_NEAR(rendered.width(), 1654, 1);
    EXPECT_NEAR(rendered.height(), 2339, 1);
    EXPECT_EQ(rendered.pixel(rendered.width() / 2, rendered.height() / 2 + 10), qRgb(0, 0, 0));
    EXPECT_EQ(rendered.pixel(5, 5), qRgb(255, 255, 255));
}

TEST(PdfScan, AnyOtherPageIsRenderedAtTheResolutionOfItsLargestPicture)
{
    TemporaryWorkspace folder;
    QDir().mkpath(folder.path(u"scans"_s));
    // 300 pixels drawn an inch wide, beside a smaller picture: a 300-dpi page.
    writePdf(folder.path(u"scans/layers.pdf"_s),
             {{QPageSize(QPageSize::A5), [](QPainter& painter, QSize) {
                   painter.drawImage(QRect(0, 0, 200, 200), numbered({300, 300}));
                   painter.drawImage(QRect(300, 300, 200, 200), numbered({50, 50}));
               }}});
    const auto document =
        imaging::PdfDocument::open(folder.path(u"scans/layers.pdf"_s), u"layers.pdf"_s);
    ASSERT_TRUE(document.hasValue()) << document.error().toStdString();
    const auto plan = (*document)->plan(0, u"layers.pdf"_s);
    ASSERT_TRUE(plan.hasValue());
    EXPECT_TRUE(plan->jpeg.isEmpty());
    EXPECT_NEAR(plan->renderDpi, 300, 1);
    EXPECT_NEAR(plan->paperSize.width(), 148, 1);
    ASSERT_TRUE(convert(folder, u"scans/layers.pdf"_s, 0).status.ok());
    EXPECT_NEAR(sheet(folder, 0).width(), 1748, 3);
}

TEST(PdfScan, ABrokenLockedOrAbsurdPdfIsRefusedByNameAndStoresNothingButAProtectedOneOpens)
{
    TemporaryWorkspace folder;
    QDir().mkpath(folder.path(u"scans"_s));
    folder.writeBytes(u"scans/broken.pdf"_s, "%PDF-1.4\nnot a document at all");
    writePdf(folder.path(u"scans/open.pdf"_s), {drawnPage(QPageSize(QPageSize::A4))});
    encrypt(folder.path(u"scans/open.pdf"_s), folder.path(u"scans/locked.pdf"_s), "user");
    writePdf(folder.path(u"scans/poster.pdf"_s),
             {drawnPage(QPageSize(QSizeF(2000, 2000), QPageSize::Millimeter))});

    // Protected against changes only, as copiers may write it: it opens without a password.
    writePdf(folder.path(u"scans/source.pdf"_s), {picturePage(numbered({200, 283}))});
    encrypt(folder.path(u"scans/source.pdf"_s), folder.path(u"scans/protected.pdf"_s), "");
    ASSERT_TRUE(convert(folder, u"scans/protected.pdf"_s, 0).status.ok());
    EXPECT_EQ(sheet(folder, 0),
              QImage::fromData(jpegInPdf(folder.readBytes(u"scans/source.pdf"_s), 0))
                  .convertToFormat(QImage::Format_RGB32));
    QFile::remove(folder.path(u"touan/0.bmp"_s));

    const std::pair<QString, QString> cases[] = {
        {u"broken.pdf"_s, u"壊れて"_s},
        {u"locked.pdf"_s, u"パスワード"_s},
        {u"poster.pdf"_s, u"大きすぎます"_s},
    };
    for (const auto& [name, reason] : cases) {
        ASSERT_EQ(pageNumbers(folder.path(u"scans/"_s + name)), QList<int>{0});
        const imaging::ScanConversion refused = convert(folder, u"scans/"_s + name, 0);
        ASSERT_FALSE(refused.status.ok()) << name.toStdString();
        EXPECT_TRUE(refused.status.error().contains(name)) << refused.status.error().toStdString();
        EXPECT_TRUE(refused.status.error().contains(reason))
            << refused.status.error().toStdString();
        EXPECT_FALSE(refused.notWritten);
        EXPECT_TRUE(QDir(folder.path(u"touan"_s)).isEmpty()) << name.toStdString();
    }
}

TEST(PdfScan, PagesOnPaperOfAnotherSizeThanTheFirstAreMarked)
{
    TemporaryWorkspace folder;
    QDir().mkpath(folder.path(u"scans"_s));
    writePdf(folder.path(u"scans/pile.pdf"_s),
             {drawnPage(QPageSize(QPageSize::A4)), drawnPage(QPageSize(QPageSize::A4)),
              drawnPage(QPageSize(QPageSize::JisB5))});
    EXPECT_FALSE(convert(folder, u"scans/pile.pdf"_s, 2).otherPaper);
    EXPECT_TRUE(convert(folder, u"scans/pile.pdf"_s, 3).otherPaper);

    EXPECT_FALSE(imaging::isOtherPaper({210.4, 297.3}, {210, 297}));
    EXPECT_FALSE(imaging::isOtherPaper({213, 300}, {210, 297}));
    EXPECT_TRUE(imaging::isOtherPaper({182, 257}, {210, 297}));
    EXPECT_TRUE(imaging::isOtherPaper({297, 210}, {210, 297}));
}

TEST(TiffScan, EveryPageBecomesASheetIncludingAGroupFourFaxPage)
{
    TemporaryWorkspace folder;
    QDir().mkpath(folder.path(u"scans"_s));
    const QImage colour = numbered({300, 200});
    QImage fax(401, 301, QImage::Format_Mono);
    fax.fill(1);
    for (int y = 0; y < fax.height(); ++y)
        for (int x = 0; x < fax.width(); ++x)
            if ((x / 7 + y / 5) % 3 == 0)
                fax.setPixel(x, y, 0);
    fax = fax.convertToFormat(QImage::Format_Mono, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    writeTiff(folder.path(u"scans/two.tif"_s), {colour, fax});

    ASSERT_EQ(pageNumbers(folder.path(u"scans/two.tif"_s)), (QList<int>{1, 2}));
    ASSERT_TRUE(convert(folder, u"scans/two.tif"_s, 1).status.ok());
    ASSERT_TRUE(convert(folder, u"scans/two.tif"_s, 2).status.ok());
    EXPECT_EQ(sheet(folder, 1), colour);
    EXPECT_EQ(sheet(folder, 2), fax.convertToFormat(QImage::Format_RGB32));
}

TEST(PictureScan, APhotoIsTurnedUprightAndTransparencyLiesOnWhitePaper)
{
    TemporaryWorkspace folder;
    // Held sideways: the top of the sheet lies at the stored picture's left.
    QImage stored(60, 40, QImage::Format_RGB32);
    stored.fill(Qt::white);
    QPainter(&stored).fillRect(0, 0, 10, 10, Qt::black);
    folder.writeBytes(u"scans/photo.jpeg"_s, withExifOrientation(jpegBytes(stored, 95), 6));
    QImage transparent(30, 20, QImage::Format_ARGB32);
    transparent.fill(Qt::transparent);
    QPainter(&transparent).fillRect(10, 5, 5, 5, Qt::black);
    folder.writeImage(u"scans/drawing.png"_s, transparent);

    ASSERT_TRUE(convert(folder, u"scans/photo.jpeg"_s, 0).status.ok());
    const QImage upright = sheet(folder, 0);
    ASSERT_EQ(upright.size(), QSize(40, 60));
    EXPECT_LT(qGray(upright.pixel(35, 4)), 60);
    EXPECT_GT(qGray(upright.pixel(4, 4)), 200);

    ASSERT_TRUE(convert(folder, u"scans/drawing.png"_s, 1).status.ok());
    EXPECT_EQ(sheet(folder, 1).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(sheet(folder, 1).pixel(12, 7), qRgb(0, 0, 0));
}

TEST(ExifOrientation, IsReadFromTheMarkersAndIsUprightWhenMissingOrBroken)
{
    const QByteArray jpeg = jpegBytes(numbered({8, 8}));
    EXPECT_EQ(imaging::exifOrientation(jpeg), 1);
    for (int orientation : {1, 3, 6, 8})
        EXPECT_EQ(imaging::exifOrientation(withExifOrientation(jpeg, orientation)), orientation);
    const QByteArray turned = withExifOrientation(jpeg, 6);
    EXPECT_EQ(imaging::exifOrientation(withExifOrientation(jpeg, 9)), 1);
    EXPECT_EQ(imaging::exifOrientation(turned.first(20)), 1);
    EXPECT_EQ(imaging::exifOrientation(QByteArray("\xFF\xD8\xFF\xE1\xFF\xFF", 6)), 1);
}

TEST(BlankPage, SeesInkButNotDustShowThroughPunchHolesOrTheSheetsEdge)
{
    const QSize a5(1165, 1654);
    for (int seed = 1; seed <= 3; ++seed) {
        EXPECT_TRUE(imaging::isBlankPage(blankBack(a5, seed))) << seed;
        EXPECT_FALSE(imaging::isBlankPage(writtenSheet(a5, seed))) << seed;
    }
    QImage named = blankBack(a5, 4);
    QPainter painter(&named);
    painter.setPen(QPen(Qt::black, 3));
    for (int stroke = 0; stroke < 8; ++stroke)
        painter.drawLine(400 + 12 * stroke, 400, 410 + 12 * stroke, 440);
    painter.end();
    EXPECT_FALSE(imaging::isBlankPage(named));
    EXPECT_TRUE(imaging::isBlankPage(solidImage(a5, Qt::white)));
    EXPECT_FALSE(imaging::isBlankPage(solidImage({4, 4}, Qt::white)));
    // A fax-like back of one bit a pixel.
    EXPECT_TRUE(imaging::isBlankPage(
        blankBack(a5, 5).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)));
}
