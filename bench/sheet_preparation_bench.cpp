// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "bench_steps.h"
#include "steps/answer_cutting.h"
#include "steps/sheet_import.h"
#include "synthetic_exam.h"
#include "workspace/folders.h"
#include "workspace/parallel_run.h"
#include "workspace/region_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

// Import and cutting of a synthetic examination (A4 at 200 dpi, JPEG quality 85, 20 regions),
// timed against a plain single-threaded loop over QImage on the same files.
namespace {

using bench::require;

constexpr int kRegionCount = 20;
const QSize kRegionSize(700, 180);

void removeFolder(const QString& path)
{
    QDir(path).removeRecursively();
}

// scan001.jpg … scanNNN.jpg, copies of the first `unique` scans in turn.
void writeScanSet(const QString& folder, const QString& uniqueFolder, int unique, int count)
{
    QDir().mkpath(folder);
    for (int number = 1; number <= count; ++number) {
        const QString name = u"scan%1.jpg"_s.arg(number, 3, 10, QLatin1Char('0'));
        const QString source =
            QDir(uniqueFolder)
                .filePath(u"scan%1.jpg"_s.arg((number - 1) % unique + 1, 3, 10, QLatin1Char('0')));
        require(QFile::copy(source, QDir(folder).filePath(name)), "cannot copy scan");
    }
}

void baselineCutting(const workspace::Workspace& workspace,
                     const QList<workspace::RegionRect>& regions, const QString& output)
{
    for (int region = 1; region <= regions.size(); ++region)
        QDir().mkpath(QDir(output).filePath(workspace::numberText(region)));
    const int sheets = workspace.sheetCount();
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        const QImage image(workspace.path(workspace::paths::sheetImage(sheet)));
        require(!image.isNull(), "baseline cannot read a sheet");
        for (int region = 1; region <= regions.size(); ++region) {
            const workspace::RegionRect& rect = regions[region - 1];
            const QString path = QDir(output).filePath(workspace::numberText(region) + u"/"_s
                                                       + workspace::numberText(sheet) + u".bmp"_s);
            require(image.copy(rect.left, rect.top, rect.width(), rect.height()).save(path, "BMP"),
                    "baseline cannot write a cut-out");
        }
    }
}

void programImport(const workspace::Workspace& workspace, const QString& scans, int expected)
{
    require(bench::importScans(workspace, scans).sheetCount == expected, "import lost sheets");
}

void programCutting(const workspace::Workspace& workspace,
                    const QList<workspace::RegionRect>& regions)
{
    require(workspace::writeRegions(workspace.path(workspace::paths::regionFile()), regions));
    steps::AnswerCutting cutting(workspace, regions);
    require(cutting.prepare());
    for (const workspace::Status& result : workspace::runInParallel(
             cutting.sheetCount(), [&](int index) { return cutting.cut(index); }, [](int) {}))
        require(result);
}

bool samePixels(const QString& first, const QString& second)
{
    return QImage(first).convertToFormat(QImage::Format_RGB32)
           == QImage(second).convertToFormat(QImage::Format_RGB32);
}

// Reads every file of the folder, so that a timed step finds its input in memory whatever ran
// before it.
void readFolder(const QString& folder)
{
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        QFile input(file.filePath());
        require(input.open(QIODevice::ReadOnly) && input.readAll().size() == file.size(),
                "cannot read an input file");
    }
}

// One side of a comparison: what it reads, the folder it writes and the run itself.
struct Side {
    QString input;
    QString output;
    std::function<void()> run;
};

// Seconds for one run of the side, started from the state every run of either side starts from:
// the side's output of its previous run just removed, no dirty pages of an earlier step still
// being written back, and the input files in memory.
double settledSecondsFor(const Side& side)
{
    removeFolder(side.output);
    ::sync();
    readFolder(side.input);
    return bench::secondsFor(side.run);
}

struct Best {
    double baseline = 1e9;
    double program = 1e9;
};

// The best of `runs` timed runs of each side. What happened just before a run changes its time
// several-fold on our machines: memory freed by removing files is cheap to fill again for a few
// seconds only, and the file system (ext4 without a journal) makes a new file skip over every
// inode of its folder's group deleted in the last minutes. So each side first runs once untimed,
// which gives every timed run an output of its own to remove, and the sides take turns going
// first.
Best compare(int runs, const Side& baseline, const Side& program)
{
    settledSecondsFor(baseline);
    settledSecondsFor(program);
    Best best;
    for (int run = 0; run < runs; ++run) {
        const bool baselineFirst = run % 2 == 0;
        for (const bool baselineTurn : {baselineFirst, !baselineFirst}) {
            double& seconds = baselineTurn ? best.baseline : best.program;
            seconds = std::min(seconds, settledSecondsFor(baselineTurn ? baseline : program));
        }
    }
    return best;
}

struct Timings {
    Best import;
    Best cutting;
};

Timings measure(const QString& root, const QString& scans, int count, int runs,
                const QList<workspace::RegionRect>& regions)
{
    const workspace::Workspace workspace(QDir(root).filePath(u"work%1"_s.arg(count)));
    require(workspace::ensureFolder(workspace.path(workspace::paths::dataFolder())));
    const QString baselineSheets = QDir(root).filePath(u"baseline-sheets"_s);
    const QString baselineCutouts = QDir(root).filePath(u"baseline-cutouts"_s);
    const QString sheets = workspace.path(workspace::paths::sheetFolder());
    Timings timings;
    timings.import =
        compare(runs, {scans, baselineSheets, [&] { bench::baselineImport(scans, baselineSheets); }},
                {scans, sheets, [&] { programImport(workspace, scans, count); }});
    require(samePixels(QDir(baselineSheets).filePath(u"001.bmp"_s),
                       workspace.path(workspace::paths::sheetImage(1))),
            "imported sheet differs from the baseline");
    removeFolder(baselineSheets);
    timings.cutting = compare(
        runs,
        {sheets, baselineCutouts, [&] { baselineCutting(workspace, regions, baselineCutouts); }},
        {sheets, workspace.path(workspace::paths::cutoutRoot()),
         [&] { programCutting(workspace, regions); }});
    require(
        samePixels(
            QDir(baselineCutouts).filePath(u"020/"_s + workspace::numberText(count) + u".bmp"_s),
            workspace.path(workspace::paths::cutoutImage(kRegionCount, count))),
        "cut-out differs from the baseline");
    removeFolder(baselineCutouts);
    return timings;
}

void reportTimings(int count, const Timings& timings)
{
    const QString sheets = u"%1 sheets"_s.arg(count);
    bench::report(u"import %1: program"_s.arg(sheets), timings.import.program, u"s"_s);
    bench::report(u"import %1: baseline"_s.arg(sheets), timings.import.baseline, u"s"_s);
    bench::report(u"import %1: ratio program / baseline"_s.arg(sheets),
                  timings.import.program / timings.import.baseline, u"x"_s);
    bench::report(u"cutting %1 x %2 regions: program"_s.arg(sheets).arg(kRegionCount),
                  timings.cutting.program, u"s"_s);
    bench::report(u"cutting %1 x %2 regions: baseline"_s.arg(sheets).arg(kRegionCount),
                  timings.cutting.baseline, u"s"_s);
    bench::report(u"cutting %1: ratio program / baseline"_s.arg(sheets),
                  timings.cutting.program / timings.cutting.baseline, u"x"_s);
}

enum class Size {
    Small, // "--small": the 40-sheet examination alone
    Full,
};

void run(Size size)
{
    QTemporaryDir root(QDir::tempPath() + u"/marutsuke-sheet-preparation-XXXXXX"_s);
    require(root.isValid(), "cannot create the temporary folder");
    const QList<workspace::RegionRect> regions =
        bench::syntheticRegions(kRegionCount, bench::kA4At200Dpi, kRegionSize);

    const QString scans40 = root.filePath(u"scans40"_s);
    bench::writeScans(scans40, 40, bench::kA4At200Dpi, 85);
    reportTimings(40, measure(root.path(), scans40, 40, 4, regions));
    removeFolder(root.filePath(u"work40"_s));
    if (size == Size::Small)
        return;

    const QString scans500 = root.filePath(u"scans500"_s);
    writeScanSet(scans500, scans40, 40, 500);
    reportTimings(500, measure(root.path(), scans500, 500, 2, regions));
    bench::report(u"peak memory of the whole run (500 sheets included)"_s,
                  bench::peakMemoryMegabytes(), u"MB"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    bench::BenchApplication application(argc, argv);
    // Caught, so that the temporary folder with its gigabytes of sheets is removed on a failure.
    try {
        run(application.arguments().contains(u"--small"_s) ? Size::Small : Size::Full);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sheet_preparation_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
