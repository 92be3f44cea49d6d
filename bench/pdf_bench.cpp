// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "bench_steps.h"
#include "imaging/derived_bmp_saving.h"
#include "sample_exam/sample_class.h"
#include "sample_exam/sample_form.h"
#include "sample_exam/sample_writer.h"
#include "steps/pdf_export.h"
#include "steps/pdf_names.h"
#include "steps/result_computation.h"
#include "synthetic_exam.h"
#include "workspace/folders.h"
#include "workspace/roster_file.h"
#include "workspace/units.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <stdexcept>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace {

// Scanned sheets of the sample class, with their handwriting and scanner noise, so that page
// sizes are those of real scans; larger classes repeat them.
constexpr int kDistinctSheets = 30;

using bench::require;

// Sheets, grading files and a roster; then the marked sheets, made by result computation.
QStringList writeMarkedExamination(const workspace::Workspace& workspace, int sheetCount)
{
    const sample_exam::SampleForm form;
    const sample_exam::SampleClass students(kDistinctSheets, form);
    require(workspace::ensureFolder(workspace.path(paths::sheetFolder())));
    QStringList names;
    for (int index = 0; index < kDistinctSheets && index < sheetCount; ++index) {
        const QImage sheet = sample_exam::sampleSheet(form, students.onSheet(index));
        for (int copy = index; copy < sheetCount; copy += kDistinctSheets)
            require(imaging::saveDerivedBmp(sheet, workspace.path(paths::sheetImage(copy + 1))));
    }
    for (int index = 0; index < sheetCount; ++index)
        names.append(students.namesInSheetOrder()[index % kDistinctSheets]);
    QList<workspace::RegionRect> regions;
    for (const QRect& field : form.fields())
        regions.append({static_cast<qint16>(field.left()), static_cast<qint16>(field.bottom()),
                        static_cast<qint16>(field.right()), static_cast<qint16>(field.top())});
    bench::writeGradingFiles(workspace, regions, sheetCount);
    require(workspace::writeRoster(workspace.path(paths::rosterFile()), names));
    const steps::ResultOutcome marked = steps::computeResults(
        workspace, steps::RankDisplay::Shown, sample_exam::SampleForm::kPageSize,
        [](int count, const workspace::IndexedWork& work) {
            return workspace::runInParallel(count, work);
        });
    if (marked.status != steps::ResultStatus::Saved)
        throw std::runtime_error(marked.message.toStdString());
    return names;
}

void setUpPage(QPdfWriter& writer, const QString& title)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins({});
    writer.setResolution(200);
    writer.setTitle(title);
}

// The straightforward single-threaded pass: each marked sheet read by Qt and drawn by
// QPdfWriter onto its student's page and onto the class file's page.
void baseline(const workspace::Workspace& workspace, const QStringList& names,
              const QString& outputFolder)
{
    QPdfWriter classWriter(QDir(outputFolder).filePath(steps::classPdfName()));
    setUpPage(classWriter, u"全員"_s);
    QPainter classPainter(&classWriter);
    for (int index = 0; index < names.size(); ++index) {
        const QImage sheet(workspace.path(paths::markedSheet(index + 1)));
        if (sheet.isNull())
            throw std::runtime_error("baseline cannot read a marked sheet");
        QPdfWriter studentWriter(
            QDir(outputFolder).filePath(steps::studentPdfName(index + 1, names[index])));
        setUpPage(studentWriter, names[index]);
        QPainter studentPainter(&studentWriter);
        studentPainter.drawImage(studentPainter.viewport(), sheet);
        if (index > 0)
            classWriter.newPage();
        classPainter.drawImage(classPainter.viewport(), sheet);
    }
}

double largestStudentFileKilobytes(const QString& folder)
{
    qint64 largest = 0;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList({u"0*.pdf"_s, u"1*.pdf"_s}, QDir::Files))
        largest = std::max(largest, file.size());
    return largest / 1024.0;
}

void measure(int sheetCount)
{
    QTemporaryDir folder(QDir::temp().filePath(u"marutsuke-pdf-bench-XXXXXX"_s));
    const workspace::Workspace workspace(folder.path());
    QStringList names;
    const double generation =
        bench::secondsFor([&] { names = writeMarkedExamination(workspace, sheetCount); });
    std::printf("%d marked sheets generated in %.1f s\n", sheetCount, generation);
    const QString baselineFolder = folder.filePath(u"baseline"_s);
    QDir().mkpath(baselineFolder);

    // Each pass starts with the disk idle, so that one pass does not pay for the other's writes.
    sync();
    const double baselineSeconds =
        bench::secondsFor([&] { baseline(workspace, names, baselineFolder); });
    const double baselineLargest = largestStudentFileKilobytes(baselineFolder);
    sync();
    steps::PdfExportOutcome outcome;
    const double programSeconds = bench::secondsFor([&] {
        outcome = steps::exportPdfs(workspace, [](int count, const workspace::IndexedWork& work) {
            return workspace::runInParallel(count, work);
        });
    });
    if (outcome.status != steps::PdfExportStatus::Saved)
        throw std::runtime_error(outcome.message.toStdString());

    const QString label = u"%1 A4 200-dpi marked sheets"_s.arg(sheetCount);
    bench::report(label + u": PDF export"_s, programSeconds, u"s"_s);
    bench::report(label + u": single-threaded QPdfWriter baseline"_s, baselineSeconds, u"s"_s);
    bench::report(label + u": ratio"_s, programSeconds / baselineSeconds, u"x"_s);
    bench::report(label + u": largest student file"_s, largestStudentFileKilobytes(outcome.folder),
                  u"KB"_s);
    bench::report(label + u": largest student file, baseline"_s, baselineLargest, u"KB"_s);
    bench::report(label + u": class file"_s,
                  QFileInfo(QDir(outcome.folder).filePath(steps::classPdfName())).size()
                      / 1048576.0,
                  u"MB"_s);
}

} // namespace

// "PDF出力" on 40 and on 500 marked sheets of scanned A4 at 200 dpi, against a single-threaded
// pass through QPdfWriter on the same files. Pass sheet counts as arguments to measure others.
int main(int argc, char* argv[])
{
    bench::BenchApplication application(argc, argv);

    QList<int> sheetCounts;
    for (int argument = 1; argument < argc; ++argument)
        sheetCounts.append(QString::fromLocal8Bit(argv[argument]).toInt());
    if (sheetCounts.isEmpty())
        sheetCounts = {40, 500};
    for (const int sheetCount : sheetCounts)
        measure(sheetCount);
    bench::report(u"peak memory"_s, bench::peakMemoryMegabytes(), u"MB"_s);
    return 0;
}
