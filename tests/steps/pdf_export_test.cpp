// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/sheet_surface.h"
#include "steps/paper_size.h"
#include "steps/pdf_export.h"
#include "steps/pdf_names.h"
#include "steps/result_computation.h"
#include "temporary_workspace.h"
#include "workspace/roster_file.h"
#include "workspace/text_file.h"

#include <QDir>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>
#include <poppler-qt6.h>

using namespace Qt::Literals::StringLiterals;
using steps::PdfExportStatus;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

constexpr QSize kA4At150Dpi{1240, 1754};
constexpr QSizeF kA4Points{595.2756, 841.8898};

steps::PdfExportOutcome exportInLoop(const TemporaryWorkspace& folder)
{
    return steps::exportPdfs(folder.workspace(), [](int count, const workspace::IndexedWork& work) {
        QList<workspace::Status> results;
        for (int index = 0; index < count; ++index)
            results.append(work(index));
        return results;
    });
}

// A scan with dark writing that differs from sheet to sheet.
QImage writtenScan(int sheet)
{
    QImage scan(kA4At150Dpi, QImage::Format_RGB32);
    scan.fill(Qt::white);
    QPainter painter(&scan);
    painter.setPen(QPen(QColor(40, 40, 60), 3));
    for (int line = 0; line < 20; ++line)
        painter.drawLine(100 + 13 * sheet, 100 + 80 * line, 900 + 20 * line, 120 + 80 * line);
    return scan;
}

void writeLines(const TemporaryWorkspace& folder, const QString& relative, const QStringList& lines)
{
    ASSERT_TRUE(workspace::writeTextLines(folder.path(relative), lines).ok());
}

// Three graded A4 sheets at 150 dpi, marked by the real result computation, and a roster.
class PdfExport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<TemporaryWorkspace>();
        for (int sheet = 1; sheet <= 3; ++sheet)
            s_folder->writeImage(paths::sheetImage(sheet), writtenScan(sheet));
        QDir().mkpath(s_folder->path(paths::dataFolder()));
        writeLines(*s_folder, paths::regionFile(),
                   {u"60,140,700,60"_s, u"60,500,1200,300"_s, u"60,900,1200,700"_s});
        writeLines(*s_folder, paths::scoreFile(), {u"0,5,3"_s, u"0,0,5"_s, u"0,5,5"_s});
        writeLines(*s_folder, paths::commentFile(), {u",よい,"_s, u",,惜しい"_s, u",,"_s});
        ASSERT_TRUE(workspace::writeRoster(s_folder->path(paths::rosterFile()),
                                           {u"山田　花子"_s, u"a/b:c"_s, QString()})
                        .ok());
        const steps::ResultOutcome marked =
            steps::computeResults(s_folder->workspace(), steps::RankDisplay::Shown, kA4At150Dpi,
                                  [](int count, const workspace::IndexedWork& work) {
                                      return workspace::runInParallel(count, work);
                                  });
        ASSERT_EQ(marked.status, steps::ResultStatus::Saved) << marked.message.toStdString();
        s_folder->writeBytes(paths::pdfFolder() + u"/前回.pdf"_s, "old");
        s_outcome = exportInLoop(*s_folder);
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    static std::unique_ptr<Poppler::Document> open(const QString& name)
    {
        auto document = Poppler::Document::load(s_folder->path(paths::pdfFolder() + u'/' + name));
        EXPECT_NE(document, nullptr) << name.toStdString();
        return document;
    }

    static inline std::unique_ptr<TemporaryWorkspace> s_folder;
    static inline steps::PdfExportOutcome s_outcome;
};

} // namespace

TEST(PdfNames, AwkwardNamesBecomeFileNamesEveryFileSystemTakes)
{
    const struct {
        int sheet;
        QString name;
        QString file;
    } cases[] = {
        {1, u"山田　花子"_s, u"001_山田_花子.pdf"_s},
        {2, u"　佐藤 一郎 "_s, u"002_佐藤_一郎.pdf"_s},
        {3, u"a/b\\c:d*e?f\"g<h>i|j"_s, u"003_a_b_c_d_e_f_g_h_i_j.pdf"_s},
        {4, u".hidden.."_s, u"004__hidden...pdf"_s},
        {5, u"tab\there\u0001\u007F"_s, u"005_tab_here__.pdf"_s},
        {6, QString(), u"006.pdf"_s},
        {7, u"\u3000 "_s, u"007.pdf"_s},
        {1000, u"髙橋"_s, u"1000_髙橋.pdf"_s},
        {8, QString(150, u'a'), u"008_"_s + QString(100, u'a') + u".pdf"_s},
        // Three bytes of UTF-8 each: cut at 200 bytes, not at 100 characters.
        {9, QString(150, u'漢'), u"009_"_s + QString(66, u'漢') + u".pdf"_s},
        // A character beyond the basic plane is kept or cut whole, never halved.
        {10, QString(60, u'x') + u"😀"_s.repeated(50),
         u"010_"_s + QString(60, u'x') + u"😀"_s.repeated(35) + u".pdf"_s},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name.toStdString());
        const QString file = steps::studentPdfName(testCase.sheet, testCase.name);
        EXPECT_EQ(file, testCase.file);
        EXPECT_LE((file + u".part"_s).toUtf8().size(), 255);
    }
    EXPECT_EQ(steps::classPdfName(), u"全員.pdf"_s);
}

TEST(PaperSize, TheScanFindsThePaperItWasMadeOn)
{
    constexpr int k96Dpi = 3780;
    constexpr int k300Dpi = 11811;
    const struct {
        const char* name;
        QSize pixels;
        int pixelsPerMetre;
        QSizeF points;
    } cases[] = {
        {"A4 at 200 dpi", {1654, 2339}, 0, kA4Points},
        {"the workspace's 96 dpi says nothing", {1654, 2339}, k96Dpi, kA4Points},
        {"A4 landscape", {2339, 1654}, k96Dpi, kA4Points.transposed()},
        {"A4 at 300 dpi, trimmed by the scanner", {2450, 3470}, 0, kA4Points},
        {"JIS B4 at 200 dpi", {2024, 2866}, 0, {728.5039, 1031.8110}},
        {"A3 at 300 dpi", {3508, 4961}, 0, {841.8898, 1190.5512}},
        {"JIS B5 at 400 dpi", {2866, 4047}, 0, {515.9055, 728.5039}},
        {"A4 at 600 dpi", {4961, 7016}, 0, kA4Points},
        {"a resolution of its own", {2480, 3508}, k300Dpi, kA4Points},
        {"no paper: its own size at 200 dpi", {1000, 500}, 0, {360, 180}},
        {"no paper: its own size at its own resolution", {1000, 500}, k300Dpi, {240, 120}},
        {"just beyond 2 % of A4", {1654, 2390}, 0, {595.44, 860.4}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const QSizeF points = steps::paperSizePoints(testCase.pixels, testCase.pixelsPerMetre);
        EXPECT_NEAR(points.width(), testCase.points.width(), 0.05);
        EXPECT_NEAR(points.height(), testCase.points.height(), 0.05);
    }
}

TEST_F(PdfExport, WritesOnePdfPerStudentAndOneForTheClassNamedAndTitled)
{
    ASSERT_EQ(s_outcome.status, PdfExportStatus::Saved) << s_outcome.message.toStdString();
    EXPECT_EQ(s_outcome.savedFiles, 4);
    EXPECT_EQ(s_outcome.folder, s_folder->path(paths::pdfFolder()));
    EXPECT_EQ(
        QDir(s_outcome.folder).entryList(QDir::Files, QDir::Name),
        (QStringList{u"001_山田_花子.pdf"_s, u"002_a_b_c.pdf"_s, u"003.pdf"_s, u"全員.pdf"_s}))
        << "the old file is gone and no temporary file is left";

    const struct {
        QString file;
        QString title;
        int pages;
    } documents[] = {{u"001_山田_花子.pdf"_s, u"山田　花子"_s, 1},
                     {u"002_a_b_c.pdf"_s, u"a/b:c"_s, 1},
                     {u"003.pdf"_s, u"003"_s, 1},
                     {u"全員.pdf"_s, u"全員"_s, 3}};
    for (const auto& expected : documents) {
        SCOPED_TRACE(expected.file.toStdString());
        const std::unique_ptr<Poppler::Document> document = open(expected.file);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->info(u"Title"_s), expected.title);
        ASSERT_EQ(document->numPages(), expected.pages);
        for (int page = 0; page < expected.pages; ++page) {
            const QSizeF size = document->page(page)->pageSizeF();
            EXPECT_NEAR(size.width(), kA4Points.width(), 0.01);
            EXPECT_NEAR(size.height(), kA4Points.height(), 0.01);
        }
    }
}

TEST_F(PdfExport, EachPageIsEncodedOnceAndShowsTheScanSizedPartOfTheMarkedSheet)
{
    ASSERT_EQ(s_outcome.status, PdfExportStatus::Saved) << s_outcome.message.toStdString();
    const QByteArray classFile = s_folder->readBytes(paths::pdfFolder() + u"/全員.pdf"_s);
    const QStringList studentFiles{u"001_山田_花子.pdf"_s, u"002_a_b_c.pdf"_s, u"003.pdf"_s};
    for (int sheet = 1; sheet <= 3; ++sheet) {
        SCOPED_TRACE(sheet);
        const workspace::Expected<steps::PdfPage> page =
            steps::markedSheetPage(s_folder->workspace(), sheet);
        ASSERT_TRUE(page) << page.error().toStdString();
        EXPECT_EQ(page->pixels, kA4At150Dpi) << "the padding of the sheet surface is left out";
        EXPECT_TRUE(classFile.contains(page->jpeg));
        EXPECT_TRUE(s_folder->readBytes(paths::pdfFolder() + u'/' + studentFiles[sheet - 1])
                        .contains(page->jpeg));
    }

    // At 150 dpi one pixel of the page is one pixel of the sheet.
    const QImage marked = QImage(s_folder->path(paths::markedSheet(1))).copy({{0, 0}, kA4At150Dpi});
    const std::unique_ptr<Poppler::Document> document = open(u"001_山田_花子.pdf"_s);
    ASSERT_NE(document, nullptr);
    const QImage rendered = document->page(0)->renderToImage(150, 150);
    const QSize common = rendered.size().boundedTo(marked.size());
    ASSERT_LE((marked.size() - common).width() + (marked.size() - common).height(), 2);
    // The red of the marks stays red to its edges: with the colour planes at half resolution,
    // as JPEG usually has them, one pixel in five of the strokes turns pink or dark.
    double difference = 0;
    int redPixels = 0;
    int stillRed = 0;
    for (int y = 0; y < common.height(); ++y)
        for (int x = 0; x < common.width(); ++x) {
            const QRgb shown = rendered.pixel(x, y);
            const QRgb original = marked.pixel(x, y);
            difference += std::abs(qRed(shown) - qRed(original))
                          + std::abs(qGreen(shown) - qGreen(original))
                          + std::abs(qBlue(shown) - qBlue(original));
            if (original == qRgb(255, 0, 0)) {
                ++redPixels;
                stillRed += qRed(shown) >= 200 && qGreen(shown) <= 60 && qBlue(shown) <= 60;
            }
        }
    EXPECT_LT(difference / (3.0 * common.width() * common.height()), 1.0);
    ASSERT_GT(redPixels, 2000);
    EXPECT_GT(double(stillRed) / redPixels, 0.87);
}

TEST(PdfPage, FitsItsBudgetAndTakesItsPaperFromTheScanFile)
{
    constexpr QSize kA4At200Dpi{1654, 2339};
    TemporaryWorkspace folder;
    QImage scan(kA4At200Dpi, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < scan.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x) {
            const int grey = 215 + static_cast<int>(random.bounded(25));
            row[x] = qRgb(grey, grey, grey - 5);
        }
    }
    folder.writeImage(paths::sheetImage(1), scan);
    QImage marked(imaging::SheetSurface::surfacePixels(kA4At200Dpi), QImage::Format_RGB32);
    marked.fill(Qt::white);
    QPainter(&marked).drawImage(0, 0, scan);
    folder.writeImage(paths::markedSheet(1), marked);

    workspace::Expected<steps::PdfPage> page = steps::markedSheetPage(folder.workspace(), 1);
    ASSERT_TRUE(page) << page.error().toStdString();
    EXPECT_EQ(page->pixels, kA4At200Dpi);
    EXPECT_LE(page->jpeg.size(), 400 * 1024);
    EXPECT_NEAR(page->points.width(), kA4Points.width(), 0.01);

    // A scan that carries a resolution of its own (300 dpi) is not taken for A4 at 200 dpi.
    scan.setDotsPerMeterX(11811);
    folder.writeImage(paths::sheetImage(1), scan);
    page = steps::markedSheetPage(folder.workspace(), 1);
    ASSERT_TRUE(page) << page.error().toStdString();
    EXPECT_NEAR(page->points.width(), 1654 * 72 / 300.0, 0.01);

    ASSERT_TRUE(QFile::remove(folder.path(paths::sheetImage(1))));
    page = steps::markedSheetPage(folder.workspace(), 1);
    ASSERT_TRUE(page) << page.error().toStdString();
    EXPECT_EQ(page->pixels, marked.size());
}

TEST(PdfExportRefusal, WithoutMarkedSheetsOrAReadableRosterNothingIsTouched)
{
    const struct {
        const char* name;
        bool marked;
        QByteArray roster;
        PdfExportStatus status;
        QString said;
    } cases[] = {
        {"no marked sheets", false, "\x8E\x52\x93\x63\r\n", PdfExportStatus::NoMarkedSheets,
         u"「6.採点実行」"_s},
        {"a roster that is not Shift-JIS", true, "\x82\r\n", PdfExportStatus::Failed,
         u"meibo.txt"_s},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        folder.writeSheets(1, {40, 60});
        if (testCase.marked)
            folder.writeImage(paths::markedSheet(1), test_support::solidImage({40, 60}, Qt::red));
        folder.writeBytes(paths::rosterFile(), testCase.roster);
        folder.writeBytes(paths::pdfFolder() + u"/前回.pdf"_s, "old");

        const steps::PdfExportOutcome outcome = exportInLoop(folder);

        EXPECT_EQ(outcome.status, testCase.status);
        EXPECT_TRUE(outcome.message.contains(testCase.said)) << outcome.message.toStdString();
        EXPECT_EQ(outcome.savedFiles, 0);
        EXPECT_EQ(QDir(folder.path(paths::pdfFolder())).entryList(QDir::Files),
                  QStringList{u"前回.pdf"_s});
    }
}
