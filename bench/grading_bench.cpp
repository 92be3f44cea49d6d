// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "grading/grading_window.h"
#include "grading/grid_canvas.h"
#include "grading/open_grading.h"
#include "grading/picture_box.h"
#include "synthetic_exam.h"

#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kSheets = 500;
constexpr int kRegions = 20;
constexpr int kRegion = 2;
constexpr QSize kCutoutSize{600, 150};
// Only the existence of the sheet images matters to grading; A4 scans would take 6 GB.
constexpr QSize kSmallSheet{165, 234};

template <typename Control> Control* control(const QWidget* window, const QString& name, int index)
{
    for (Control* candidate : window->findChildren<Control*>(name))
        if (candidate->property("index").toInt() == index)
            return candidate;
    return nullptr;
}

// What every page build cost when each cut-out was read from disk again.
double decodeSeconds(const workspace::Workspace& workspace)
{
    return bench::bestSecondsFor(3, [&] {
        for (int sheet = 1; sheet <= kSheets; ++sheet) {
            const QPixmap picture = QPixmap::fromImage(
                QImage(workspace.path(workspace::paths::cutoutImage(kRegion, sheet))));
            if (picture.isNull())
                throw std::runtime_error("cannot decode a cut-out");
        }
    });
}

void closeWindow(grading::GradingWindow* window)
{
    QPointer<grading::GradingWindow> closing = window;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (closing)
        throw std::runtime_error("the grading window did not close");
}

// Selects every other answer: 250 of 500.
void selectHalf(grading::GradingWindow* window)
{
    for (int index = 0; index < kSheets; index += 2)
        QTest::mouseClick(control<grading::PictureBox>(window, u"picKaitou"_s, index),
                          Qt::LeftButton);
}

} // namespace

// The grading window on 500 sheets × 20 regions of 600 × 150 pixels: opening it, building the
// page of one region, and F2 given to 250 selected answers with its rebuild, beside the time
// it takes to decode that region's 500 cut-outs from disk.
int main(int argc, char* argv[])
{
    bench::BenchApplication application(argc, argv);

    QTemporaryDir folder;
    const workspace::Workspace workspace(folder.path());
    bench::writeSheets(workspace, kSheets, kSmallSheet);
    bench::writeCutouts(workspace,
                        bench::syntheticRegions(kRegions, bench::kA4At200Dpi, kCutoutSize), kSheets,
                        {kRegion});

    const double decode = decodeSeconds(workspace);

    const double open = bench::bestSecondsFor(3, [&] {
        grading::GradingWindow* window = grading::openGradingWindow(workspace, nullptr);
        QCoreApplication::processEvents();
        closeWindow(window);
    });

    grading::GradingWindow* window = grading::openGradingWindow(workspace, nullptr);
    QCoreApplication::processEvents();
    auto* selector = control<QLabel>(window, u"Label1"_s, kRegion - 1);
    const auto buildPage = [&] {
        QTest::mouseClick(selector, Qt::LeftButton);
        QCoreApplication::processEvents();
    };
    const double firstBuild = bench::secondsFor(buildPage);
    const double rebuild = bench::bestSecondsFor(5, buildPage);
    // Each answer is decoded when it first comes into view.
    auto* bar = window->findChild<QScrollBar*>(u"VScroll2"_s);
    const double pageThrough = bench::secondsFor([&] {
        while (bar->value() < bar->maximum()) {
            QTest::keyClick(window->canvas(), Qt::Key_PageDown);
            QCoreApplication::processEvents();
        }
    });
    const int decodedWhilePaging = window->cutouts().decodeCount();
    bar->setValue(0);

    double scoreKey = 0;
    for (int run = 0; run < 5; ++run) {
        selectHalf(window);
        const Qt::Key key = run % 2 == 0 ? Qt::Key_F2 : Qt::Key_F3;
        const double seconds = bench::secondsFor([&] {
            QTest::keyClick(window->canvas(), key);
            QCoreApplication::processEvents();
        });
        scoreKey = run == 0 ? seconds : std::min(scoreKey, seconds);
    }
    if (window->state().tables().score(kSheets - 1, kRegion).isEmpty())
        throw std::runtime_error("the score key did not reach the answers");

    bench::report(u"decode one region's 500 cut-outs from disk"_s, decode * 1000, u"ms"_s);
    bench::report(u"open the grading window (500 sheets, 20 regions)"_s, open * 1000, u"ms"_s);
    bench::report(u"first page build of a region (decodes those in view)"_s, firstBuild * 1000,
                  u"ms"_s);
    bench::report(u"page build of a region (rebuild)"_s, rebuild * 1000, u"ms"_s);
    bench::report(u"page down through all 500 answers, decoding them"_s, pageThrough * 1000,
                  u"ms"_s);
    bench::report(u"cut-outs decoded by then"_s, decodedWhilePaging, u""_s);
    bench::report(u"F2 on 250 selected answers with its rebuild"_s, scoreKey * 1000, u"ms"_s);
    bench::report(u"rebuild / decode"_s, rebuild / decode, u""_s);
    bench::report(u"F2 with rebuild / decode"_s, scoreKey / decode, u""_s);
    bench::report(u"peak memory"_s, bench::peakMemoryMegabytes(), u"MB"_s);
    // Deleted, not closed: closing after the scores changed would ask whether to save them.
    delete window;
    return 0;
}
