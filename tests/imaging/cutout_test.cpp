#include "imaging/bmp_codec.h"
#include "imaging/bmp_rows.h"
#include "imaging/cutout.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/scan_conversion.h"
#include "imaging/sheet_cutting.h"
#include "temporary_workspace.h"
#include "workspace/folders.h"

#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::TemporaryWorkspace;
using workspace::RegionRect;

namespace {

// Every pixel different, so that a shifted or flipped copy shows.
QImage numberedSheet(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return image;
}

QRgb expectedPixel(const QImage& sheet, const RegionRect& region, int x, int y) {
    const QPoint at(region.left + x, region.top + y);
    return sheet.rect().contains(at) ? sheet.pixel(at) : qRgb(255, 255, 255);
}

void expectCutout(const QImage& cutout, const QImage& sheet, const RegionRect& region) {
    ASSERT_EQ(cutout.size(), QSize(region.width(), region.height()));
    for (int y = 0; y < cutout.height(); ++y)
        for (int x = 0; x < cutout.width(); ++x)
            ASSERT_EQ(cutout.pixel(x, y), expectedPixel(sheet, region, x, y)) << x << "," << y;
}

const RegionRect kRegions[] = {
    {196, 608, 808, 196},   // 612 × 412 inside the sheet
    {10, 60, 200, 20},      // 190 × 40
    {-5, 30, 20, -10},      // over the top-left corner
    {880, 1010, 920, 990},  // over the bottom-right corner
    {950, 1100, 990, 1050}, // wholly outside
};

} // namespace

TEST(Cutout, CopiesTheBlockOneToOneWithWhiteBeyondTheSheet) {
    const QImage sheet = numberedSheet({900, 1000});
    const QImage sheet24 = sheet.convertToFormat(QImage::Format_BGR888);
    const QByteArray bmp = imaging::encodeBmp(sheet);
    const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(bmp);
    ASSERT_TRUE(rows);
    for (const RegionRect& region : kRegions) {
        SCOPED_TRACE(region.left);
        expectCutout(imaging::cutOut(sheet, region), sheet, region);
        expectCutout(imaging::cutOut(sheet24, region), sheet, region);
        expectCutout(imaging::cutOut(*rows, region), sheet, region);
    }
    EXPECT_TRUE(imaging::cutOut(sheet, RegionRect{5, 5, 50, 5}).isNull());
}

TEST(BmpRows, ReadsBottomUpAndTopDownFilesAndRefusesOtherLayouts) {
    const QImage sheet = numberedSheet({7, 5});
    QByteArray bottomUp = imaging::encodeBmp(sheet);
    QByteArray topDown = bottomUp;
    // The same pixels stored top row first, as a negative height says.
    const int stride = 24;
    for (int y = 0; y < 5; ++y)
        topDown.replace(54 + y * stride, stride, bottomUp.mid(54 + (4 - y) * stride, stride));
    qToLittleEndian<qint32>(-5, topDown.data() + 22);
    for (const QByteArray& bytes : {bottomUp, topDown}) {
        const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(bytes);
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->size(), QSize(7, 5));
        const uchar* row = rows->row(3);
        EXPECT_EQ(qRgb(row[3 * 6 + 2], row[3 * 6 + 1], row[3 * 6]), sheet.pixel(6, 3));
    }
    EXPECT_FALSE(imaging::BmpRows::fromBytes(bottomUp.first(bottomUp.size() - 1)));
    QByteArray thirtyTwoBits = bottomUp;
    qToLittleEndian<quint16>(32, thirtyTwoBits.data() + 28);
    EXPECT_FALSE(imaging::BmpRows::fromBytes(thirtyTwoBits));
}

TEST(SheetCutting, WritesEveryRegionOfTheSheetAndNamesAnUnreadableSheet) {
    TemporaryWorkspace folder;
    const QImage sheet = numberedSheet({900, 1000});
    folder.writeImage(workspace::paths::sheetImage(2), sheet);
    const QList<RegionRect> regions{kRegions[0], kRegions[1], kRegions[3]};
    for (int region = 1; region <= 3; ++region)
        ASSERT_TRUE(
            workspace::ensureFolder(folder.path(workspace::paths::cutoutFolder(region))).ok());

    ASSERT_TRUE(imaging::cutSheet(folder.workspace(), 2, regions).ok());
    for (int region = 1; region <= 3; ++region) {
        const QImage cutout(folder.path(workspace::paths::cutoutImage(region, 2)));
        expectCutout(cutout, sheet, regions[region - 1]);
    }
    EXPECT_EQ(QImage(folder.path(workspace::paths::cutoutImage(1, 2))).size(), QSize(612, 412));

    folder.writeBytes(workspace::paths::sheetImage(3), imaging::encodeBmp(sheet).first(5000));
    const workspace::Status cut = imaging::cutSheet(folder.workspace(), 3, regions);
    ASSERT_FALSE(cut.ok());
    EXPECT_TRUE(cut.error().contains(u"003.bmp"_s)) << cut.error().toStdString();
    EXPECT_FALSE(folder.exists(workspace::paths::cutoutImage(1, 3)));
}

TEST(ScanConversion, StoresTheScansOwnPixelsAndWritesNothingForABadScan) {
    TemporaryWorkspace folder;
    const QImage scan = numberedSheet({300, 200});
    folder.writeImage(u"scans/a.jpg"_s, scan);
    folder.writeImage(u"scans/b.bmp"_s, scan);
    folder.writeBytes(u"scans/c.jpg"_s, "not a picture");
    for (const QString& name : {u"a.jpg"_s, u"b.bmp"_s}) {
        const QString sheet = folder.path(u"touan/"_s + name + u".bmp"_s);
        QDir().mkpath(folder.path(u"touan"_s));
        ASSERT_TRUE(imaging::convertScan(folder.path(u"scans/"_s + name), sheet).ok());
        EXPECT_TRUE(folder.readBytes(u"touan/"_s + name + u".bmp"_s).startsWith("BM"));
        EXPECT_EQ(QImage(sheet).convertToFormat(QImage::Format_RGB32),
                  QImage(folder.path(u"scans/"_s + name)).convertToFormat(QImage::Format_RGB32));
    }
    const workspace::Status bad =
        imaging::convertScan(folder.path(u"scans/c.jpg"_s), folder.path(u"touan/c.bmp"_s));
    ASSERT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error().contains(u"c.jpg"_s));
    EXPECT_FALSE(folder.exists(u"touan/c.bmp"_s));
}

TEST(DerivedBmpSaving, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    TemporaryWorkspace folder;
    const QString path = folder.path(u"out.bmp"_s);
    ASSERT_TRUE(imaging::saveDerivedBmp(numberedSheet({20, 10}), path).ok());
    const QImage second = numberedSheet({30, 40});
    ASSERT_TRUE(imaging::saveDerivedBmp(second, path).ok());
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), second);
    EXPECT_EQ(QDir(folder.path(QString())).entryList(QDir::Files), QStringList{u"out.bmp"_s});

    EXPECT_FALSE(imaging::saveDerivedBmp(second, folder.path(u"missing/out.bmp"_s)).ok());
    EXPECT_FALSE(imaging::saveDerivedBmp(QImage(), path).ok());
}
