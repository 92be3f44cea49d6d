// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "synthetic_exam.h"

#include "main_window/main_window.h"

#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

// Start-up of the main window on an A4 sheet at 200 dpi: loading touan/001.bmp, fitting it to
// the view and saving the clean view.
int main(int argc, char* argv[])
{
    bench::BenchApplication application(argc, argv);

    QTemporaryDir folder;
    const workspace::Workspace workspace(folder.path());
    bench::writeSheets(workspace, 1, bench::kA4At200Dpi);

    const double seconds =
        bench::bestSecondsFor(5, [&] { main_window::MainWindow window(workspace); });
    bench::report(u"main window start-up with an A4 200-dpi sheet"_s, seconds * 1000, u"ms"_s);
    return 0;
}
