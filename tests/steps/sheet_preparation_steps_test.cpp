// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_files.h"
#include "steps/answer_cutting.h"
#include "steps/sheet_import.h"
#include "temporary_workspace.h"
#include "workspace/parallel_run.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using steps::AnswerCutting;
using steps::SheetImport;
using test_support::solidImage;
using test_support::TemporaryWorkspace;
using workspace::RegionRect;
namespace paths = workspace::paths;

namespace {

const QDateTime kNow(QDate(2024, 7, 1), QTime(9, 0));

steps::ImportOutcome runImport(const TemporaryWorkspace& folder, const QString& source,
                               steps::BlankPages blankPages = steps::BlankPages::Keep)
{
    SheetImport import(folder.workspace(), folder.path(source), blankPages);
    EXPECT_TRUE(import.checkSource().ok());
    EXPECT_TRUE(import.prepare(kNow).ok());
    return import.finish(workspace::runInParallel(
        static_cast<int>(import.pages().size()), [&](int index) { return import.convert(index); },
        [](int) {}));
}

void runCutting(const TemporaryWorkspace& folder, const QList<RegionRect>& regions)
{
    AnswerCutting cutting(folder.workspace(), regions);
    ASSERT_TRUE(cutting.prepare().ok());
    for (const workspace::Status& result : workspace::runInParallel(
             cutting.sheetCount(), [&](int index) { return cutting.cut(index); }, [](int) {}))
        EXPECT_TRUE(result.ok()) << result.error().toStdString();
}

QStringList filesIn(const TemporaryWorkspace& folder, const QString& relative)
{
    return QDir(folder.path(relative)).entryList(QDir::Files, QDir::Name);
}

QColor sheetColour(const TemporaryWorkspace& folder, int sheet)
{
    return QImage(folder.path(paths::sheetImage(sheet))).pixelColor(0, 0);
}

} // namespace

TEST(SheetImport, ReplacesTheSheetSetAndMovesTheTextDataAside)
{
    TemporaryWorkspace folder;
    folder.writeSheets(5, {20, 30});
    folder.writeBytes(paths::regionFile(), "1,2,3,4\r\n");
    folder.writeBytes(paths::scoreFile(), "5\r\n");
    folder.writeImage(u"scans/a.JPG"_s, solidImage({40, 60}, Qt::red));
    folder.writeImage(u"scans/b.bmp"_s, solidImage({40, 60}, Qt::green));
    folder.writeBytes(u"scans/c.txt"_s, "notes");
    folder.writeImage(u"scans/scan.jpeg"_s, solidImage({40, 60}, Qt::black));
    folder.writeImage(u"scans/x.bmp.old"_s, solidImage({50, 70}, Qt::blue));

    const steps::ImportOutcome outcome = runImport(folder, u"scans"_s);
    EXPECT_EQ(outcome.sheetCount, 4);
    EXPECT_TRUE(outcome.skipped.isEmpty());
    EXPECT_TRUE(outcome.notStored.isEmpty());
    EXPECT_EQ(filesIn(folder, paths::sheetFolder()),
              (QStringList{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s, u"004.bmp"_s}));
    EXPECT_EQ(sheetColour(folder, 1), QImage(folder.path(u"scans/a.JPG"_s)).pixelColor(0, 0));
    EXPECT_EQ(sheetColour(folder, 2), QColor(Qt::green));
    EXPECT_EQ(sheetColour(folder, 3), QImage(folder.path(u"scans/scan.jpeg"_s)).pixelColor(0, 0));
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(4))).size(), QSize(50, 70));
    EXPECT_TRUE(filesIn(folder, paths::dataFolder()).isEmpty());
    EXPECT_EQ(folder.readBytes(u"ini/backup/20240701-090000/zahyo.txt"_s), "1,2,3,4\r\n");
}

TEST(SheetImport, UnreadableScansAreSkippedAndTheNumberingStaysGapFree)
{
    TemporaryWorkspace folder;
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    for (int scan = 1; scan <= 12; ++scan)
        folder.writeImage(u"scans/scan%1.bmp"_s.arg(scan), solidImage({30, 40}, colours[scan % 5]));
    folder.writeBytes(u"scans/scan3.bmp"_s, "BM not a picture");
    folder.writeBytes(u"scans/scan10.jpg"_s, QByteArray("\xFF\xD8\xFF", 3));

    const steps::ImportOutcome outcome = runImport(folder, u"scans"_s);
    ASSERT_EQ(outcome.sheetCount, 11);
    ASSERT_EQ(outcome.skipped.size(), 2);
    EXPECT_TRUE(outcome.skipped[0].contains(u"scan3.bmp"_s));
    EXPECT_TRUE(outcome.skipped[1].contains(u"scan10.jpg"_s));
    EXPECT_TRUE(outcome.notStored.isEmpty());
    // Sheets follow the scans in natural order: 1 2 4 … 9 10.bmp 11 12.
    const int scanOfSheet[] = {1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (int sheet = 1; sheet <= 11; ++sheet) {
        const int scan = scanOfSheet[sheet - 1];
        const QColor expected = scan == 10 ? QColor(colours[0]) : QColor(colours[scan % 5]);
        EXPECT_EQ(sheetColour(folder, sheet), expected) << sheet;
    }
    EXPECT_EQ(folder.workspace().sheetCount(), 11);
    EXPECT_EQ(filesIn(folder, paths::sheetFolder()).size(), 11);
}

TEST(SheetImport, APdfOrTiffGivesItsPagesInPlaceAndNamesPagesOnOtherPaper)
{
    TemporaryWorkspace folder;
    folder.writeImage(u"scans/a.jpg"_s, solidImage({40, 60}, Qt::red));
    QDir().mkpath(folder.path(u"scans"_s));
    const QImage front = test_support::writtenSheet({400, 566}, 1);
    test_support::writePdf(
        folder.path(u"scans/b.pdf"_s),
        {test_support::picturePage(front), test_support::picturePage(front.scaled(300, 566))});
    test_support::writeTiff(folder.path(u"scans/c.tif"_s),
                            {solidImage({30, 30}, Qt::green), solidImage({30, 30}, Qt::blue)});

    const steps::ImportOutcome outcome = runImport(folder, u"scans"_s);
    ASSERT_EQ(outcome.sheetCount, 5);
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(2))).size(), QSize(400, 566));
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(3))).size(), QSize(300, 566));
    EXPECT_EQ(sheetColour(folder, 4), QColor(Qt::green));
    EXPECT_EQ(sheetColour(folder, 5), QColor(Qt::blue));
    ASSERT_EQ(outcome.otherPaper.size(), 1);
    EXPECT_TRUE(outcome.otherPaper[0].startsWith(
        QDir::toNativeSeparators(folder.path(u"scans/b.pdf (2ページ目)"_s))))
        << outcome.otherPaper[0].toStdString();
    EXPECT_TRUE(outcome.otherPaper[0].contains(u"3枚目"_s));
}

TEST(SheetImport, LeavesOutTheBlankBacksOfADuplexScanWhenAskedAndNamesThem)
{
    TemporaryWorkspace folder;
    QDir().mkpath(folder.path(u"scans"_s));
    const QSize a5(1165, 1654);
    QList<test_support::PdfTestPage> duplex;
    for (int sheet = 1; sheet <= 3; ++sheet) {
        duplex.append(test_support::picturePage(test_support::writtenSheet(a5, sheet)));
        duplex.append(test_support::picturePage(test_support::blankBack(a5, sheet)));
    }
    test_support::writePdf(folder.path(u"scans/duplex.pdf"_s), duplex);

    const steps::ImportOutcome kept = runImport(folder, u"scans"_s);
    EXPECT_EQ(kept.sheetCount, 6);
    EXPECT_TRUE(kept.blankDropped.isEmpty());

    const steps::ImportOutcome dropped = runImport(folder, u"scans"_s, steps::BlankPages::Drop);
    EXPECT_EQ(dropped.sheetCount, 3);
    EXPECT_EQ(filesIn(folder, paths::sheetFolder()),
              (QStringList{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s}));
    const QString pdf = QDir::toNativeSeparators(folder.path(u"scans/duplex.pdf"_s));
    EXPECT_EQ(dropped.blankDropped, (QStringList{pdf + u" (2ページ目)"_s, pdf + u" (4ページ目)"_s,
                                                 pdf + u" (6ページ目)"_s}));
    const QByteArray bytes = folder.readBytes(u"scans/duplex.pdf"_s);
    for (int sheet = 1; sheet <= 3; ++sheet)
        EXPECT_EQ(
            QImage(folder.path(paths::sheetImage(sheet))).convertToFormat(QImage::Format_RGB32),
            QImage::fromData(test_support::jpegInPdf(bytes, 2 * (sheet - 1)))
                .convertToFormat(QImage::Format_RGB32))
            << sheet;
}

TEST(SheetImport, BlankPagesAreDuplexBacksWhenAThirdOrMoreButNotAllArePlain)
{
    EXPECT_TRUE(steps::areDuplexBacks(3, 6));
    EXPECT_TRUE(steps::areDuplexBacks(2, 6));
    EXPECT_FALSE(steps::areDuplexBacks(1, 6));
    EXPECT_FALSE(steps::areDuplexBacks(6, 6));
    EXPECT_FALSE(steps::areDuplexBacks(0, 0));
    EXPECT_TRUE(steps::areDuplexBacks(1, 2));
}

TEST(SheetImport, RefusesTheSheetFolderItselfAsTheSource)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {20, 30});
    QDir().mkpath(folder.path(u"touan/inner"_s));
    QDir().mkpath(folder.path(u"scans"_s));
    for (const QString& source : {u"touan"_s, u"touan/inner"_s, u"touan/../touan"_s}) {
        const workspace::Status status =
            SheetImport(folder.workspace(), folder.path(source)).checkSource();
        ASSERT_FALSE(status.ok()) << source.toStdString();
        EXPECT_TRUE(status.error().contains(u"中止"_s));
    }
    EXPECT_TRUE(SheetImport(folder.workspace(), folder.path(u"scans"_s)).checkSource().ok());
    EXPECT_TRUE(SheetImport(folder.workspace(), folder.path(QString())).checkSource().ok());
    EXPECT_EQ(folder.workspace().sheetCount(), 2);
}

TEST(AnswerCutting, CutsEverySheetIntoEveryRegionAtTheRegionsSize)
{
    TemporaryWorkspace folder;
    folder.writeSheets(3, {900, 700});
    runCutting(folder, {{196, 608, 808, 196}, {10, 60, 200, 20}});
    const QStringList sheets{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s};
    EXPECT_EQ(filesIn(folder, paths::cutoutFolder(1)), sheets);
    EXPECT_EQ(filesIn(folder, paths::cutoutFolder(2)), sheets);
    for (int sheet = 1; sheet <= 3; ++sheet) {
        EXPECT_EQ(QImage(folder.path(paths::cutoutImage(1, sheet))).size(), QSize(612, 412));
        EXPECT_EQ(QImage(folder.path(paths::cutoutImage(2, sheet))).size(), QSize(190, 40));
    }
}

TEST(AnswerCutting, ASecondRunClearsTheRegionsItCoversAndLeavesDroppedRegionsAlone)
{
    TemporaryWorkspace folder;
    folder.writeSheets(3, {100, 100});
    runCutting(folder, {{0, 10, 10, 0}, {0, 20, 20, 0}, {0, 30, 30, 0}});
    QFile::remove(folder.path(paths::sheetImage(3)));
    runCutting(folder, {{0, 15, 15, 0}, {0, 20, 20, 0}});

    EXPECT_EQ(filesIn(folder, paths::cutoutFolder(1)), (QStringList{u"001.bmp"_s, u"002.bmp"_s}));
    EXPECT_EQ(filesIn(folder, paths::cutoutFolder(2)), (QStringList{u"001.bmp"_s, u"002.bmp"_s}));
    EXPECT_EQ(QImage(folder.path(paths::cutoutImage(1, 1))).size(), QSize(15, 15));
    EXPECT_EQ(filesIn(folder, paths::cutoutFolder(3)),
              (QStringList{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s}));
}

TEST(AnswerCutting, StopsAtTheFirstGapAndCutsNothingWithoutSheets)
{
    TemporaryWorkspace folder;
    for (int sheet : {1, 2, 4})
        folder.writeImage(paths::sheetImage(sheet), solidImage({50, 50}, Qt::white));
    runCutting(folder, {{0, 10, 10, 0}});
    EXPECT_EQ(filesIn(folder, paths::cutoutFolder(1)), (QStringList{u"001.bmp"_s, u"002.bmp"_s}));

    TemporaryWorkspace empty;
    AnswerCutting cutting(empty.workspace(), {{0, 10, 10, 0}});
    ASSERT_TRUE(cutting.prepare().ok());
    EXPECT_EQ(cutting.sheetCount(), 0);
    EXPECT_TRUE(QDir(empty.path(paths::cutoutRoot())).exists());
    EXPECT_FALSE(QDir(empty.path(paths::cutoutFolder(1))).exists());
}
