// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_steps.h"

#include "workspace/parallel_run.h"

#include <QDateTime>

#include <stdexcept>

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

} // namespace bench
