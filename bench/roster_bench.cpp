// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "roster/roster_window.h"
#include "synthetic_exam.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

// The roster window on 500 sheets whose name fields are 800 × 120 pixels (4 × 0.6 inches at
// 200 dpi): opening it (listing, loading every cut-out, building and showing the rows) and one
// zoom step (every cut-out reloaded and every row moved).
int main(int argc, char* argv[])
{
    bench::BenchApplication application(argc, argv);

    constexpr int kSheets = 500;
    QTemporaryDir folder;
    const workspace::Workspace workspace(folder.path());
    bench::writeCutouts(workspace, bench::syntheticRegions(1, bench::kA4At200Dpi, {800, 120}),
                        kSheets);

    const double opening = bench::bestSecondsFor(3, [&] {
        roster::RosterWindow window(workspace);
        window.show();
        QApplication::processEvents();
    });
    bench::report(u"roster window opening on %1 sheets"_s.arg(kSheets), opening * 1000, u"ms"_s);

    roster::RosterWindow window(workspace);
    window.show();
    QApplication::processEvents();
    auto* enlarge = window.findChild<QPushButton*>(u"Command6"_s);
    const double zoom = bench::bestSecondsFor(3, [&] {
        enlarge->click();
        QApplication::processEvents();
    });
    bench::report(u"roster window zoom step on %1 sheets"_s.arg(kSheets), zoom * 1000, u"ms"_s);
    bench::report(u"peak memory"_s, bench::peakMemoryMegabytes(), u"MB"_s);
    return 0;
}
