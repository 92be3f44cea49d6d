// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "steps/mark_painter.h"
#include "steps/result_computation.h"
#include "steps/result_plan.h"
#include "synthetic_exam.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kRegionCount = 20;

// The straightforward single-threaded pass over the same files: Qt's BMP reader, the same
// texts drawn with QPainter, Qt's BMP writer.
void baseline(const workspace::Workspace& workspace, const steps::ResultPlan& plan,
              const QString& outputFolder)
{
    for (int index = 0; index < plan.sheetCount(); ++index) {
        QImage sheet(workspace.path(workspace::paths::sheetImage(index + 1)));
        if (sheet.isNull())
            throw std::runtime_error("baseline cannot read a sheet");
        const double widthTwips = sheet.width() * 2540.0 / 96.0 / 1.755;
        steps::paintMarks(sheet, steps::sheetMarks(plan.markInput(index, widthTwips)));
        if (!sheet.save(QDir(outputFolder).filePath(workspace::numberText(index + 1) + u".bmp"_s),
                        "BMP"))
            throw std::runtime_error("baseline cannot write a sheet");
    }
}

void removeFiles(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
}

void measure(int sheetCount)
{
    QTemporaryDir folder(QDir::temp().filePath(u"marutsuke-results-bench-XXXXXX"_s));
    const workspace::Workspace workspace(folder.path());
    const QList<workspace::RegionRect> regions =
        bench::syntheticRegions(kRegionCount, bench::kA4At200Dpi, {600, 120});
    const double generation = bench::secondsFor([&] {
        bench::writeSheets(workspace, sheetCount, bench::kA4At200Dpi);
        bench::writeGradingFiles(workspace, regions, sheetCount);
    });
    std::printf("%d sheets generated in %.1f s\n", sheetCount, generation);

    workspace::Expected<steps::ResultPlan> plan =
        steps::planResults(workspace, steps::RankDisplay::Shown, bench::kA4At200Dpi);
    if (!plan)
        throw std::runtime_error(plan.error().toStdString());
    const QString baselineFolder = folder.filePath(u"baseline"_s);
    QDir().mkpath(baselineFolder);

    // Each pass starts with the disk idle, so that one pass does not pay for the other's writes.
    sync();
    const double baselineSeconds =
        bench::secondsFor([&] { baseline(workspace, *plan, baselineFolder); });
    removeFiles(baselineFolder);
    sync();
    steps::ResultOutcome outcome;
    const double programSeconds = bench::secondsFor([&] {
        outcome = steps::computeResults(workspace, steps::RankDisplay::Shown, bench::kA4At200Dpi,
                                        [](int count, const workspace::IndexedWork& work) {
                                            return workspace::runInParallel(count, work);
                                        });
    });
    if (outcome.status != steps::ResultStatus::Saved)
        throw std::runtime_error(outcome.message.toStdString());

    const QString label = u"%1 A4 200-dpi sheets, %2 regions"_s.arg(sheetCount).arg(kRegionCount);
    bench::report(label + u": result computation"_s, programSeconds, u"s"_s);
    bench::report(label + u": single-threaded baseline"_s, baselineSeconds, u"s"_s);
    bench::report(label + u": ratio"_s, programSeconds / baselineSeconds, u"x"_s);
}

} // namespace

// "6.採点実行" on a synthetic examination of 40 and of 500 sheets, against a single-threaded
// pass through Qt's own image reader and writer on the same files. Pass sheet counts as
// arguments to measure others.
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
