// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "imaging/bmp_rows.h"
#include "imaging/cutout.h"
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
QImage numberedSheet(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    return image;
}

QRgb expectedPixel(const QImage& sheet, const RegionRect& region, int x, int y)
{
    const QPoint at(region.left + x, region.top + y);
    return sheet.rect().contains(at) ? sheet.pixel(at) : qRgb(255, 255, 255);
}

void expectCutout(const QImage& cutout, const QImage& sheet, const RegionRect& region)
{
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

TEST(Cutout, CopiesTheBlockOneToOneWithWhiteBeyondTheSheet)
{
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

TEST(Cutout, BmpBytesAreThoseOfTheSavedCutOut)
{
    // An odd width pads every row of the sheet and of most cut-outs.
    const QImage sheet = numberedSheet({901, 1000});
    const QByteArray bmp = imaging::encodeBmp(sheet);
    const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(bmp);
    ASSERT_TRUE(rows);
    for (const RegionRect& region : kRegions) {
        SCOPED_TRACE(region.left);
        EXPECT_EQ(imaging::cutOutBmp(*rows, region),
                  imaging::encodeBmp(imaging::cutOut(*rows, region)));
    }
    EXPECT_TRUE(imaging::cutOutBmp(*rows, RegionRect{5, 5, 50, 5}).isEmpty());
    EXPECT_TRUE(imaging::cutOutBmp(*rows, RegionRect{-32768, 32767, 32767, -32768}).isEmpty());
}

TEST(BmpRows, ReadsBottomUpAndTopDownFilesAndRefusesOtherLayouts)
{
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

TEST(SheetCutting, WritesEveryRegionOfTheSheetAndNamesAnUnreadableSheet)
{
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
