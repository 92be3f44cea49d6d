// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "imaging/scan_conversion.h"
#include "sample_exam/sample_writer.h"
#include "sample_exam/scan_pdf.h"
#include "steps/sheet_import.h"
#include "workspace/parallel_run.h"
#include "workspace/sample_location.h"
#include "workspace/text_file.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <set>

using namespace Qt::Literals::StringLiterals;
using sample_exam::SampleClass;
using sample_exam::SampleForm;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

// Pixels dark enough to be writing, inside a box but clear of its printed border.
int writingPixels(const QImage& sheet, const QRect& box)
{
    const QRect inside = box.adjusted(12, 12, -12, -12);
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += qGray(sheet.pixel(x, y)) < 160 ? 1 : 0;
    return count;
}

} // namespace

TEST(SampleExam, WritesTheScansAndTheRosterOnceAndLeavesAnExistingSampleAlone)
{
    TemporaryWorkspace folder;
    const workspace::Expected<sample_exam::SampleOutcome> made =
        sample_exam::makeSampleExam(folder.workspace().root(), 12);
    ASSERT_TRUE(made.hasValue()) << made.error().toStdString();
    EXPECT_EQ(*made, sample_exam::SampleOutcome::Created);

    const QDir scans(folder.path(paths::sampleScans()));
    EXPECT_EQ(scans.entryList(QDir::Files).size(), 12);
    for (int sheet = 1; sheet <= 12; ++sheet) {
        const QImage scan(scans.filePath(sample_exam::scanFileName(sheet)));
        ASSERT_EQ(scan.size(), SampleForm::kPageSize) << sheet;
        EXPECT_EQ(qRound(scan.dotsPerMeterX() * 0.0254), 200) << sheet;
        EXPECT_EQ(qRound(scan.dotsPerMeterY() * 0.0254), 200) << sheet;
    }
    const SampleForm form;
    const SampleClass students(12, form);
    const workspace::Expected<QStringList> roster =
        workspace::readTextLines(folder.path(paths::sampleRoster()), 100);
    ASSERT_TRUE(roster.hasValue()) << roster.error().toStdString();
    EXPECT_EQ(*roster, students.rosterNames());
    EXPECT_TRUE(folder.readBytes(paths::sampleRoster()).endsWith("\r\n"));
    // Nothing of the making is left beside the sample.
    EXPECT_EQ(QDir(folder.workspace().root())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{paths::sampleFolder()});

    folder.writeBytes(paths::sampleRoster(), "kept\r\n");
    EXPECT_EQ(*sample_exam::makeSampleExam(folder.workspace().root(), 30),
              sample_exam::SampleOutcome::AlreadyThere);
    EXPECT_EQ(folder.readBytes(paths::sampleRoster()), "kept\r\n");
    EXPECT_EQ(scans.entryList(QDir::Files).size(), 12);
}

TEST(SampleExam, ItsScansAsOnePdfImportAsTheSameSheetsAsTheJpegFiles)
{
    TemporaryWorkspace jpegFiles;
    TemporaryWorkspace copierPdf;
    ASSERT_TRUE(sample_exam::makeSampleExam(jpegFiles.workspace().root(), 4).hasValue());
    ASSERT_TRUE(
        sample_exam::makeSampleExam(copierPdf.workspace().root(), 4, sample_exam::ScanFiles::Pdf)
            .hasValue());
    EXPECT_EQ(QDir(copierPdf.path(paths::sampleScans())).entryList(QDir::Files),
              QStringList{sample_exam::scanPdfName()});
    for (const TemporaryWorkspace* folder : {&jpegFiles, &copierPdf}) {
        steps::SheetImport import(folder->workspace(), folder->path(paths::sampleScans()));
        ASSERT_TRUE(import.prepare(QDateTime::currentDateTime()).ok());
        const steps::ImportOutcome outcome = import.finish(
            workspace::runInParallel(4, [&import](int index) { return import.convert(index); }));
        EXPECT_EQ(outcome.sheetCount, 4);
    }
    for (int sheet = 1; sheet <= 4; ++sheet)
        EXPECT_EQ(jpegFiles.readBytes(paths::sheetImage(sheet)),
                  copierPdf.readBytes(paths::sheetImage(sheet)))
            << sheet;
}

TEST(ScanPdf, ABlackAndWhitePageIsRenderedPixelForPixel)
{
    TemporaryWorkspace folder;
    QImage scan(301, 203, QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y)
        for (int x = 0; x < scan.width(); ++x)
            scan.setPixel(x, y, (x / 3 + y / 2) % 4 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    const QString pdf = folder.path(u"bw.pdf"_s);
    ASSERT_TRUE(sample_exam::writeScanPdf(pdf, 2, [&scan](int) {
                    return sample_exam::bilevelPage(scan, 150);
                }).ok());
    QDir().mkpath(folder.path(paths::sheetFolder()));
    ASSERT_TRUE(imaging::convertScanPage({pdf, 2}, folder.path(paths::sheetImage(1))).status.ok());
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(1))).convertToFormat(QImage::Format_RGB32),
              scan);
}

TEST(ScanPdf, AJpegPageWhoseStreamCountsItsLineEndIsStillItsOwnPicture)
{
    TemporaryWorkspace folder;
    QImage scan(200, 283, QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y)
        for (int x = 0; x < scan.width(); ++x)
            scan.setPixel(x, y, qRgb(x, y % 256, (x + y) % 256));
    folder.writeImage(u"scan.jpg"_s, scan);
    const QByteArray jpeg = folder.readBytes(u"scan.jpg"_s);
    const QString pdf = folder.path(u"padded.pdf"_s);
    ASSERT_TRUE(sample_exam::writeScanPdf(pdf, 1, [&jpeg, &scan](int) {
                    return sample_exam::jpegPage(jpeg + "\r\n", scan.size(), 3, 200);
                }).ok());
    QDir().mkpath(folder.path(paths::sheetFolder()));
    ASSERT_TRUE(imaging::convertScanPage({pdf, 0}, folder.path(paths::sheetImage(1))).status.ok());
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(1))).convertToFormat(QImage::Format_RGB32),
              QImage(folder.path(u"scan.jpg"_s)).convertToFormat(QImage::Format_RGB32));
}

TEST(SampleExam, AFolderThatCannotBeWrittenIsReported)
{
    const workspace::Expected<sample_exam::SampleOutcome> made =
        sample_exam::makeSampleExam(u"/proc/marutsuke"_s, 2);
    ASSERT_FALSE(made.hasValue());
    EXPECT_TRUE(made.error().contains(u"/proc/marutsuke"_s)) << made.error().toStdString();
}

TEST(SampleExam, SheetsLieInRosterOrderButForTwoNeighboursAndOneLateSheet)
{
    const SampleForm form;
    const struct {
        int size;
        QList<int> sheetOrder;
    } cases[] = {
        {1, {0}},
        {3, {0, 1, 2}},
        {4, {0, 1, 3, 2}},
        {11, {0, 1, 3, 2, 4, 5, 6, 7, 8, 9, 10}},
        {13, {0, 1, 3, 2, 4, 5, 6, 7, 8, 9, 11, 12, 10}},
    };
    for (const auto& test : cases) {
        const SampleClass students(test.size, form);
        EXPECT_EQ(students.sheetOrder(), test.sheetOrder) << test.size;
        EXPECT_EQ(students.onSheet(test.size - 1).name,
                  students.rosterOrder()[test.sheetOrder.last()].name);
    }
    const SampleClass full(SampleClass::kFullSize, form);
    const QStringList names = full.rosterNames();
    EXPECT_EQ(std::set<QString>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(QList<int>(full.sheetOrder()).last(), 10);
}

TEST(SampleExam, EveryAnswerIsWrittenInsideItsBoxAndBlankBoxesStayBlank)
{
    const SampleForm form;
    const SampleClass students(SampleClass::kFullSize, form);
    int blanks = 0;
    int right = 0;
    int total = 0;
    for (int sheet : {0, 7, 19, 29}) {
        const sample_exam::Student& student = students.onSheet(sheet);
        const QImage scan = sample_exam::sampleSheet(form, student);
        EXPECT_GT(writingPixels(scan, form.nameField()), 400) << student.name.toStdString();
        for (int question = 0; question < form.questions().size(); ++question) {
            const QString& answer = student.answers[question];
            const int writing = writingPixels(scan, form.answerBox(question));
            if (answer.isEmpty())
                EXPECT_LT(writing, 15) << sheet << ", question " << question;
            else
                EXPECT_GT(writing, 150) << sheet << ", " << answer.toStdString();
        }
    }
    for (int sheet = 0; sheet < students.size(); ++sheet)
        for (int question = 0; question < form.questions().size(); ++question) {
            const QString& answer = students.onSheet(sheet).answers[question];
            blanks += answer.isEmpty() ? 1 : 0;
            right += form.questions()[question].isCorrect(answer) ? 1 : 0;
            ++total;
        }
    // A class worth grading: mostly right, some wrong, a few blank.
    EXPECT_GT(blanks, 0);
    EXPECT_GT(right, total / 2);
    EXPECT_LT(right + blanks, total);
}

TEST(SampleExam, EachStudentWritesInAHandOfTheirOwnAndTheSameSheetComesOutTheSame)
{
    const SampleForm form;
    const SampleClass students(SampleClass::kFullSize, form);
    sample_exam::Student first = students.onSheet(0);
    sample_exam::Student second = students.onSheet(1);
    first.answers = second.answers = QStringList(form.questions().size(), u"東京"_s);

    const QRect box = form.answerBox(0);
    const QImage firstHand = sample_exam::sampleSheet(form, first).copy(box);
    const QImage secondHand = sample_exam::sampleSheet(form, second).copy(box);
    int differing = 0;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            differing +=
                std::abs(qGray(firstHand.pixel(x, y)) - qGray(secondHand.pixel(x, y))) > 60;
    EXPECT_GT(differing, 500);
    EXPECT_EQ(sample_exam::sampleSheet(form, first), sample_exam::sampleSheet(form, first));
}
