// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_steps.h"

#include "steps/scan_listing.h"
#include "workspace/parallel_run.h"
#include "workspace/workspace_paths.h"

#include <QDateTime>
#include <QDir>
#include <QImage>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace bench {

void require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

void require(const workspace::Status& status)
{
    if (!status)
        throw std::runtime_error(status.error().toStdString());
}

steps::ImportOutcome importScans(const workspace::Workspace& workspace, const QString& scans,
                                 steps::BlankPages blankPages, steps::Registration registration)
{
    steps::SheetImport import(workspace, scans, blankPages, registration);
    require(import.prepare(QDateTime::currentDateTime()));
    steps::ImportOutcome outcome = import.finish(workspace::runInParallel(
        static_cast<int>(import.pages().size()), [&](int index) { return import.convert(index); },
        [](int) {}));
    require(outcome.skipped.isEmpty() && outcome.notStored.isEmpty(), "import lost sheets");
    return outcome;
}

void baselineImport(const QString& scans, const QString& output)
{
    QDir().mkpath(output);
    int number = 0;
    for (const QString& scan : steps::listScans(scans)) {
        const QImage image(scan);
        require(!image.isNull(), "baseline cannot read a scan");
        require(
            image.save(QDir(output).filePath(workspace::numberText(++number) + u".bmp"_s), "BMP"),
            "baseline cannot write a sheet");
    }
}

} // namespace bench
