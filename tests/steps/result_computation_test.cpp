// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/sheet_surface.h"
#include "steps/mark_painter.h"
#include "steps/marked_sheet.h"
#include "steps/result_computation.h"
#include "temporary_workspace.h"
#include "workspace/text_file.h"

#include <QDir>
#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using steps::MarkText;
using steps::RankDisplay;
using steps::ResultStatus;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

// 800 × 1132 pixels: the mark unit is 15 and the sheet surface 804 × 1138.
constexpr QSize kSheetSize{800, 1132};
// The total and the rank stand at x = W − 12u, W being the surface's width in twips (21167
// hundredths of a millimetre / 1.755) / 15.1.
constexpr double kTotalLeft = 21167 / 1.755 / 15.1 - 12 * 15;

void writeLines(const TemporaryWorkspace& folder, const QString& relative, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(folder.path(relative)).path());
    ASSERT_TRUE(workspace::writeTextLines(folder.path(relative), lines).ok());
}

QStringList readLines(const TemporaryWorkspace& folder, const QString& relative)
{
    workspace::Expected<QStringList> lines = workspace::readTextLines(folder.path(relative), 1000);
    EXPECT_TRUE(lines.hasValue()) << lines.error().toStdString();
    return lines ? *lines : QStringList();
}

// Three regions down the left half of the sheet.
void writeRegions(const TemporaryWorkspace& folder)
{
    writeLines(folder, paths::regionFile(),
               {u"40,140,380,60"_s, u"40,400,380,300"_s, u"40,700,380,600"_s});
}

steps::ResultOutcome compute(const TemporaryWorkspace& folder,
                             RankDisplay rankDisplay = RankDisplay::Hidden,
                             std::optional<QSize> shownPicture = kSheetSize)
{
    return steps::computeResults(folder.workspace(), rankDisplay, shownPicture,
                                 [](int count, const workspace::IndexedWork& work) {
                                     return workspace::runInParallel(count, work);
                                 });
}

QStringList markedFiles(const TemporaryWorkspace& folder)
{
    return QDir(folder.path(paths::markedFolder())).entryList(QDir::Files, QDir::Name);
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 120 && qBlue(pixel) < 120;
}

// The sheet with the marks drawn on a fresh surface, as the step should have saved it.
QImage expectedMarkedSheet(const QList<MarkText>& marks)
{
    QImage surface(imaging::SheetSurface::surfacePixels(kSheetSize), QImage::Format_BGR888);
    surface.fill(Qt::white);
    steps::paintMarks(surface, marks);
    return surface.convertToFormat(QImage::Format_RGB32);
}

QImage markedSheet(const TemporaryWorkspace& folder, int sheet)
{
    return QImage(folder.path(paths::markedSheet(sheet))).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ResultComputation, WritesTheGradeTableLineForLine)
{
    TemporaryWorkspace folder;
    folder.writeSheets(3, kSheetSize);
    writeRegions(folder);
    writeLines(folder, paths::scoreFile(), {u"5,2.5,2.5"_s, u"0,10,"_s, u",,"_s});
    writeLines(folder, paths::commentFile(), {u",,"_s, u",,"_s, u",,"_s});
    writeLines(folder, paths::rosterFile(), {u"山田,太郎"_s, u"\"佐藤\" %2"_s, QString()});

    const steps::ResultOutcome outcome = compute(folder);

    EXPECT_EQ(outcome.status, ResultStatus::Saved);
    EXPECT_EQ(outcome.message, u"hyoukaフォルダに採点結果を保存しました"_s);
    // Every field counts in the table, the name field included: 5, 7.5 → 8, 10.5 → 10. A quote in
    // a name is doubled, so that every spreadsheet reads the row as it is.
    EXPECT_EQ(
        readLines(folder, paths::gradeTable()),
        (QStringList{u"氏名,合計,順位,領域1,領域2,領域3,"_s, u"\"山田,太郎\",10,1,5,2.5,2.5"_s,
                     u"\"\"\"佐藤\"\" %2\",10,1,0,10,"_s, u"\"\",0,3,,,"_s}));
    EXPECT_TRUE(folder.readBytes(paths::gradeTable()).endsWith(",0,3,,,\r\n"));
    EXPECT_EQ(markedFiles(folder), (QStringList{u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s}));
}

TEST(ResultComputation, WithoutARosterNamesAreEmptyAndRegionOneIsScored)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, kSheetSize);
    writeRegions(folder);
    writeLines(folder, paths::scoreFile(), {u"1,2,3"_s});
    writeLines(folder, paths::commentFile(), {u",,"_s});

    ASSERT_EQ(compute(folder).status, ResultStatus::Saved);

    EXPECT_EQ(readLines(folder, paths::gradeTable()),
              (QStringList{u"氏名,合計,順位,領域1,領域2,領域3,"_s, u"\"\",6,1,1,2,3"_s}));
    const QList<MarkText> expected = {
        {u"１点"_s, {350, 92.5}, 15},
        {u"２点"_s, {350, 342.5}, 15},
        {u"３点"_s, {350, 642.5}, 15},
        {u"6点"_s, {kTotalLeft, 20}, 30},
    };
    EXPECT_EQ(markedSheet(folder, 1), expectedMarkedSheet(expected));
}

TEST(ResultComputation, TheNameFieldIsLeftOutOfTheDrawnTotalButNotTheTable)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, kSheetSize);
    writeRegions(folder);
    writeLines(folder, paths::scoreFile(), {u"5,2.5,2.5"_s});
    writeLines(folder, paths::commentFile(), {u"名前欄,,字が丁寧"_s});
    writeLines(folder, paths::rosterFile(), {u"山田"_s});

    ASSERT_EQ(compute(folder, RankDisplay::Shown).status, ResultStatus::Saved);

    EXPECT_EQ(readLines(folder, paths::gradeTable()).value(1), u"\"山田\",10,1,5,2.5,2.5"_s);
    // Drawn: 2.5 → 2, then 4.5 → 4.
    const QList<MarkText> expected = {
        {u"名前欄"_s, {100, 60}, 15},      {u"２．５点"_s, {350, 342.5}, 15},
        {u"２．５点"_s, {350, 642.5}, 15}, {u"字が丁寧"_s, {100, 600}, 15},
        {u"4点"_s, {kTotalLeft, 20}, 30},  {u"1/1位"_s, {kTotalLeft, 57.5}, 22.5},
    };
    EXPECT_EQ(markedSheet(folder, 1), expectedMarkedSheet(expected));
}

TEST(ResultComputation, RedPixelsStandWhereTheTextsBelong)
{
    for (const RankDisplay rankDisplay : {RankDisplay::Shown, RankDisplay::Hidden}) {
        TemporaryWorkspace folder;
        folder.writeSheets(2, kSheetSize);
        writeLines(folder, paths::regionFile(), {u"40,400,380,300"_s});
        writeLines(folder, paths::scoreFile(), {u"8"_s, u"9"_s});
        writeLines(folder, paths::commentFile(), {u"ok"_s, QString()});
        ASSERT_EQ(compute(folder, rankDisplay).status, ResultStatus::Saved);

        const QImage sheet = markedSheet(folder, 1);
        ASSERT_EQ(sheet.size(), QSize(804, 1138)) << "the sheet surface, a few pixels larger";
        // Top-left corners: the score at (right − 2u, (bottom + top − u) / 2), the comment at
        // (left + 4u, top), the total at (W − 12u, 20) and the rank at (W − 12u, 2.5u + 20).
        struct Text {
            QString text;
            QPointF topLeft;
            double pointSize;
        };
        QList<Text> texts = {{u"８点"_s, {350, 342.5}, 15},
                             {u"ok"_s, {100, 300}, 15},
                             {u"8点"_s, {kTotalLeft, 20}, 30}};
        if (rankDisplay == RankDisplay::Shown)
            texts.append({u"2/2位"_s, {kTotalLeft, 57.5}, 22.5});

        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(3780);
        device.setDotsPerMeterY(3780);
        QList<QRect> boxes;
        for (const Text& text : texts) {
            const QFontMetricsF metrics(steps::markFont(text.pointSize), &device);
            const QRectF ink = metrics.tightBoundingRect(text.text).translated(
                text.topLeft + QPointF(0, metrics.ascent()));
            boxes.append(ink.toAlignedRect().adjusted(-2, -2, 2, 2));
        }
        QList<int> redInBox(boxes.size(), 0);
        int strayRed = 0;
        for (int y = 0; y < sheet.height(); ++y) {
            for (int x = 0; x < sheet.width(); ++x) {
                if (!isRed(sheet.pixel(x, y)))
                    continue;
                bool inside = false;
                for (int box = 0; box < boxes.size(); ++box) {
                    if (boxes[box].contains(x, y)) {
                        ++redInBox[box];
                        inside = true;
                    }
                }
                strayRed += inside ? 0 : 1;
            }
        }
        EXPECT_EQ(strayRed, 0);
        for (int box = 0; box < boxes.size(); ++box)
            EXPECT_GT(redInBox[box], 20) << texts[box].text.toStdString();
    }
}

TEST(ResultComputation, ScoreLinesThatAreNotOnePerSheetAreRefusedBeforeAnythingIsDeleted)
{
    for (const int scoreLines : {2, 4}) {
        SCOPED_TRACE(scoreLines);
        TemporaryWorkspace folder;
        folder.writeSheets(3, kSheetSize);
        writeRegions(folder);
        writeLines(folder, paths::scoreFile(), QStringList(scoreLines, u"1,1,1"_s));
        writeLines(folder, paths::commentFile(), QStringList(scoreLines, u",,"_s));
        folder.writeBytes(paths::markedSheet(3), "previous marked sheet");

        const steps::ResultOutcome outcome = compute(folder);

        EXPECT_EQ(outcome.status, ResultStatus::Failed);
        EXPECT_TRUE(outcome.message.contains(u"haiten.txt」は %1 行"_s.arg(scoreLines)))
            << outcome.message.toStdString();
        EXPECT_TRUE(outcome.message.contains(u"は 3 枚あります"_s));
        EXPECT_EQ(folder.readBytes(paths::markedSheet(3)), "previous marked sheet");
        EXPECT_FALSE(folder.exists(paths::gradeTable()));
    }
}

TEST(ResultComputation, ASecondRunLeavesOnlyItsOwnFiles)
{
    TemporaryWorkspace folder;
    folder.writeSheets(3, kSheetSize);
    writeRegions(folder);
    writeLines(folder, paths::scoreFile(), {u"1,1,1"_s, u"2,2,2"_s, u"3,3,3"_s});
    writeLines(folder, paths::commentFile(), {u",,"_s, u",,"_s, u",,"_s});
    ASSERT_EQ(compute(folder).status, ResultStatus::Saved);
    folder.writeBytes(u"hyouka/memo.txt"_s, "left behind");

    ASSERT_TRUE(QFile::remove(folder.path(paths::sheetImage(3))));
    writeLines(folder, paths::scoreFile(), {u"1,1,1"_s, u"2,2,2"_s});
    ASSERT_EQ(compute(folder).status, ResultStatus::Saved);

    EXPECT_EQ(markedFiles(folder), (QStringList{u"001.bmp"_s, u"002.bmp"_s}));
    EXPECT_EQ(readLines(folder, paths::gradeTable()).size(), 3);
}

TEST(ResultComputation, TheUnitComesFromTheShownPictureOrElseTheFirstSheet)
{
    TemporaryWorkspace folder;
    folder.writeSheets(1, {1654, 2339});
    writeRegions(folder);
    writeLines(folder, paths::scoreFile(), {u"1,1,1"_s});
    writeLines(folder, paths::commentFile(), {u",,"_s});

    const auto unit = [&](std::optional<QSize> shown) {
        workspace::Expected<steps::ResultPlan> plan =
            steps::planResults(folder.workspace(), RankDisplay::Hidden, shown);
        EXPECT_TRUE(plan.hasValue()) << plan.error().toStdString();
        return plan ? plan->unit : -1;
    };
    EXPECT_EQ(unit(QSize(1000, 500)), 13);
    EXPECT_EQ(unit(std::nullopt), 31);
    EXPECT_EQ(unit(QSize()), 31);
}

TEST(ResultComputation, RefusesInconsistentInputsAndTouchesNothing)
{
    const struct {
        const char* name;
        std::function<void(const TemporaryWorkspace&)> spoil;
        QString named; // the file the message must name
        std::optional<QSize> shownPicture = kSheetSize;
    } cases[] = {
        {"no region file", [](auto& f) { QFile::remove(f.path(paths::regionFile())); },
         u"zahyo.txt"_s},
        {"no score file", [](auto& f) { QFile::remove(f.path(paths::scoreFile())); },
         u"haiten.txt"_s},
        {"no comment file", [](auto& f) { QFile::remove(f.path(paths::commentFile())); },
         u"comment.txt"_s},
        {"fewer comment lines", [](auto& f) { writeLines(f, paths::commentFile(), {u",,"_s}); },
         u"comment.txt"_s},
        {"a 102nd region",
         [](auto& f) { writeLines(f, paths::regionFile(), QStringList(102, u"1,2,3,0"_s)); },
         u"zahyo.txt"_s},
        {"a 501st sheet",
         [](auto& f) { writeLines(f, paths::scoreFile(), QStringList(501, u"1"_s)); },
         u"haiten.txt"_s},
        {"a region that is not numbers",
         [](auto& f) { writeLines(f, paths::regionFile(), {u"a,b,c,d"_s}); }, u"zahyo.txt"_s},
        {"a roster that is not Shift-JIS",
         [](auto& f) { f.writeBytes(paths::rosterFile(), "\x82\r\n"); }, u"meibo.txt"_s},
        {"a total beyond 32 bits",
         [](auto& f) {
             writeLines(f, paths::scoreFile(), {u"1,1,1"_s, u"9999999999,,"_s});
         },
         u"haiten.txt"_s},
        {"a viewpoint line that is not two fields",
         [](auto& f) {
             writeLines(f, paths::viewpointFile(), {u","_s, u"知識,5,5"_s});
         },
         u"kanten.txt」の2行目"_s},
        {"grade thresholds out of order",
         [](auto& f) {
             writeLines(f, paths::gradeThresholdFile(), {u"50"_s, u"80"_s});
         },
         u"kanten_kijun.txt"_s},
        {"no picture to size the marks",
         [](auto& f) { QFile::remove(f.path(paths::sheetImage(1))); }, u"001.bmp"_s, std::nullopt},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        folder.writeSheets(2, kSheetSize);
        writeRegions(folder);
        writeLines(folder, paths::scoreFile(), {u"1,1,1"_s, u"2,2,2"_s});
        writeLines(folder, paths::commentFile(), {u",,"_s, u",,"_s});
        folder.writeBytes(u"hyouka/001.bmp"_s, "previous marked sheet");
        folder.writeBytes(paths::gradeTable(), "previous table\r\n");
        testCase.spoil(folder);

        const steps::ResultOutcome outcome =
            compute(folder, RankDisplay::Hidden, testCase.shownPicture);

        EXPECT_EQ(outcome.status, ResultStatus::Failed);
        EXPECT_TRUE(outcome.message.contains(testCase.named)) << outcome.message.toStdString();
        EXPECT_FALSE(outcome.message.contains(steps::savedMessage()));
        EXPECT_EQ(markedFiles(folder), QStringList{u"001.bmp"_s});
        EXPECT_EQ(folder.readBytes(u"hyouka/001.bmp"_s), "previous marked sheet");
        EXPECT_EQ(folder.readBytes(paths::gradeTable()), "previous table\r\n");
    }
}

TEST(ResultComputation, AFailedWriteIsReportedByFileInsteadOfSuccess)
{
    const struct {
        const char* name;
        QString blocked; // made a folder, so that the file cannot be written there
        QString named;
        bool tableWritten;
    } cases[] = {
        {"a marked sheet", u"hyouka/002.bmp"_s, u"002.bmp"_s, true},
        {"the grade table", u"seiseki.csv"_s, u"seiseki.csv"_s, false},
        {"the statistics table", u"toukei.csv"_s, u"toukei.csv"_s, true},
        {"an old viewpoint table", u"kanten.csv"_s, u"kanten.csv"_s, true},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        folder.writeSheets(3, kSheetSize);
        writeRegions(folder);
        writeLines(folder, paths::scoreFile(), {u"1,1,1"_s, u"2,2,2"_s, u"3,3,3"_s});
        writeLines(folder, paths::commentFile(), {u",,"_s, u",,"_s, u",,"_s});
        ASSERT_TRUE(QDir().mkpath(folder.path(testCase.blocked)));

        const steps::ResultOutcome outcome = compute(folder);

        EXPECT_EQ(outcome.status, ResultStatus::Failed);
        EXPECT_TRUE(outcome.message.contains(testCase.named)) << outcome.message.toStdString();
        EXPECT_FALSE(outcome.message.contains(steps::savedMessage()));
        EXPECT_EQ(QFileInfo(folder.path(paths::gradeTable())).isFile(), testCase.tableWritten);
        EXPECT_EQ(QDir(folder.path(paths::markedFolder())).entryList({u"*.part"_s}), QStringList())
            << "no temporary file is left behind";
    }
}

TEST(MarkingSurface, HoldsTheSheetAtTheTopLeftOfAWhiteSurfaceWhateverItsFileLayout)
{
    TemporaryWorkspace folder;
    QImage sheet(kSheetSize, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x % 200, y % 200, 40));
    // The workspace's own 24-bit layout, read row by row, and an 8-bit grey file read by Qt.
    folder.writeImage(u"colour.bmp"_s, sheet);
    folder.writeImage(u"grey.bmp"_s, sheet.convertToFormat(QImage::Format_Grayscale8));
    for (const QString& name : {u"colour.bmp"_s, u"grey.bmp"_s}) {
        const QImage expected = QImage(folder.path(name)).convertToFormat(QImage::Format_RGB32);
        workspace::Expected<steps::MarkedSheet> marked =
            steps::loadMarkingSurface(folder.path(name));
        ASSERT_TRUE(marked) << marked.error().toStdString();
        EXPECT_EQ(marked->pictureSize, kSheetSize);
        EXPECT_EQ(marked->surface.size(), imaging::SheetSurface::surfacePixels(kSheetSize));
        const QImage surface = marked->surface.convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(surface.copy(QRect(QPoint(), kSheetSize)), expected) << name.toStdString();
        EXPECT_EQ(surface.pixel(kSheetSize.width(), 5), qRgb(255, 255, 255));
        EXPECT_EQ(surface.pixel(5, kSheetSize.height()), qRgb(255, 255, 255));
    }
    EXPECT_FALSE(steps::loadMarkingSurface(folder.path(u"missing.bmp"_s)));
}
