// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/jpeg_to_bmp.h"
#include "imaging/scan_conversion.h"
#include "temporary_workspace.h"

#include <QDir>
#include <QImageWriter>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::TemporaryWorkspace;

namespace {

// Every pixel different, so that a shifted or flipped copy shows.
QImage numberedSheet(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x + 3 * y) % 256));
    return image;
}

} // namespace

TEST(ScanConversion, StoresTheScansOwnPixelsAndWritesNothingForABadScan)
{
    TemporaryWorkspace folder;
    const QImage scan = numberedSheet({300, 200});
    folder.writeImage(u"scans/a.jpg"_s, scan);
    folder.writeImage(u"scans/b.bmp"_s, scan);
    folder.writeBytes(u"scans/c.jpg"_s, "not a picture");
    for (const QString& name : {u"a.jpg"_s, u"b.bmp"_s}) {
        const QString sheet = folder.path(u"touan/"_s + name + u".bmp"_s);
        QDir().mkpath(folder.path(u"touan"_s));
        ASSERT_TRUE(imaging::convertScan(folder.path(u"scans/"_s + name), sheet).status.ok());
        EXPECT_TRUE(folder.readBytes(u"touan/"_s + name + u".bmp"_s).startsWith("BM"));
        EXPECT_EQ(QImage(sheet).convertToFormat(QImage::Format_RGB32),
                  QImage(folder.path(u"scans/"_s + name)).convertToFormat(QImage::Format_RGB32));
    }
    const imaging::ScanConversion bad =
        imaging::convertScan(folder.path(u"scans/c.jpg"_s), folder.path(u"touan/c.bmp"_s));
    ASSERT_FALSE(bad.status.ok());
    EXPECT_TRUE(bad.status.error().contains(u"c.jpg"_s));
    EXPECT_FALSE(bad.notWritten);
    EXPECT_FALSE(folder.exists(u"touan/c.bmp"_s));
}

TEST(DerivedBmpSaving, ReplacesAnExistingFileAndLeavesNoTemporaryFile)
{
    TemporaryWorkspace folder;
    const QString path = folder.path(u"out.bmp"_s);
    ASSERT_TRUE(imaging::saveDerivedBmp(numberedSheet({20, 10}), path).ok());
    // Over a megabyte, so that it is written in several pieces.
    const QImage second = numberedSheet({700, 600});
    ASSERT_TRUE(imaging::saveDerivedBmp(second, path).ok());
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), second);
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files), QStringList{u"out.bmp"_s});

    EXPECT_FALSE(imaging::saveDerivedBmp(second, folder.path(u"missing/out.bmp"_s)).ok());
    EXPECT_FALSE(imaging::saveDerivedBmp(QImage(), path).ok());
}

TEST(JpegToBmp, GivesTheBytesQtsDecodingWouldStoreForEveryKindOfScan)
{
    TemporaryWorkspace folder;
    const QImage scan = numberedSheet({301, 203});
    struct Case {
        QString name;
        QImage image;
        bool progressive;
    };
    const Case cases[] = {
        {u"colour.jpg"_s, scan, false},
        {u"grey.jpg"_s, scan.convertToFormat(QImage::Format_Grayscale8), false},
        {u"progressive.jpg"_s, scan, true},
    };
    for (const Case& c : cases) {
        QImageWriter writer(folder.path(c.name), "jpeg");
        writer.setQuality(85);
        writer.setProgressiveScanWrite(c.progressive);
        ASSERT_TRUE(writer.write(c.image));
        const std::optional<QByteArray> bmp = imaging::jpegToBmp(folder.readBytes(c.name));
        ASSERT_TRUE(bmp) << c.name.toStdString();
        EXPECT_EQ(*bmp, imaging::encodeBmp(QImage(folder.path(c.name)))) << c.name.toStdString();
    }
}

TEST(JpegToBmp, LeavesAnythingButAWholeCleanJpegToTheGeneralPath)
{
    TemporaryWorkspace folder;
    folder.writeImage(u"whole.jpg"_s, numberedSheet({64, 48}));
    const QByteArray whole = folder.readBytes(u"whole.jpg"_s);
    QByteArray corrupt = whole;
    corrupt.replace(corrupt.size() / 2, 40, QByteArray(40, '\xFF'));
    const QByteArray cases[] = {
        whole.first(whole.size() / 2),
        whole.first(whole.size() / 2) + "\xFF\xD9",
        corrupt,
        imaging::encodeBmp(numberedSheet({8, 8})),
        QByteArray(),
    };
    for (const QByteArray& bytes : cases)
        EXPECT_FALSE(imaging::jpegToBmp(bytes)) << bytes.size();
}
