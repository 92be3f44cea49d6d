// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "grading/grading_journal.h"
#include "grading/grading_window.h"
#include "grading/grid_canvas.h"
#include "grading/journal_recovery.h"
#include "grading/journal_writer.h"
#include "grading/open_grading.h"
#include "grading/picture_box.h"
#include "synthetic_exam.h"
#include "workspace/atomic_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <map>

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

constexpr int kJournalRecords = 5000;

// A journal of a long grading that ended without saving: typed scores and comments, and every
// tenth action a preset on 50 answers, each record starting from what the one before left.
QByteArray longJournal()
{
    std::map<std::pair<int, grading::TableField>, QString> texts;
    QByteArray bytes = grading::encodeJournalHeader(grading::journalBaseOf({}, {}));
    for (int number = 1; number <= kJournalRecords; ++number) {
        const int region = 1 + number % kRegions;
        grading::ChangeList changes;
        const auto change = [&](int sheet, grading::TableField field, const QString& after) {
            QString& text = texts[{sheet * 1000 + region, field}];
            changes.push_back({sheet, region, field, text, after});
            text = after;
        };
        if (number % 10 == 0) {
            for (int sheet = 1 + number % 7; sheet <= kSheets; sheet += 10)
                change(sheet, grading::TableField::Score, QString::number(number % 6));
        } else if (number % 3 == 0) {
            change(1 + number % kSheets, grading::TableField::Comment, u"途中式、よく書けた"_s);
        } else {
            change(1 + number % kSheets, grading::TableField::Score, QString::number(number % 11));
        }
        bytes += grading::encodeJournalRecord(number, {QDateTime::currentDateTime(), changes, 0});
    }
    return bytes;
}

// Presses the default button of every message box until it goes out of scope.
class DefaultAnswers {
public:
    DefaultAnswers()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->defaultButton()->click();
        });
        m_timer.start(0);
    }

private:
    QTimer m_timer;
};

// One journal record of F2 on 250 answers: written and flushed, and then synced.
std::pair<double, double> journalRecordSeconds(const QString& folder)
{
    grading::ChangeList changes;
    for (int sheet = 1; sheet <= kSheets; sheet += 2)
        changes.push_back({sheet, kRegion, grading::TableField::Score, QString(), u"1"_s});
    grading::JournalWriter writer(folder + u"/kiroku.txt"_s, {});
    if (!writer.append(changes))
        throw std::runtime_error("cannot start the journal");
    double append = 0;
    double sync = 0;
    for (int run = 0; run < 20; ++run) {
        const double appended = bench::secondsFor([&] {
            if (!writer.append(changes))
                throw std::runtime_error("cannot append to the journal");
        });
        const double synced = bench::secondsFor([&] {
            if (!writer.syncNow())
                throw std::runtime_error("cannot sync the journal");
        });
        append = run == 0 ? appended : std::min(append, appended);
        sync = run == 0 ? synced : std::min(sync, synced);
    }
    return {append, sync};
}

} // namespace

// The grading window on 500 sheets × 20 regions of 600 × 150 pixels: opening it, building the
// page of one region, F2 given to 250 selected answers with its rebuild and journal record, and
// opening it on a journal of 5 000 records to restore, beside the time it takes to decode that
// region's 500 cut-outs from disk.
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

    const QByteArray journal = longJournal();
    const QString journalPath = workspace.path(workspace::paths::journalFile());
    const auto writeJournal = [&] {
        if (!workspace::writeFileAtomically(journalPath, journal))
            throw std::runtime_error("cannot write the journal");
    };
    writeJournal();
    const workspace::Expected<grading::GradingTables> saved =
        grading::GradingTables::load(workspace);
    const double inspect = bench::bestSecondsFor(3, [&] {
        if (grading::inspectJournal(workspace, *saved).recovery.kind
            != grading::RecoveryKind::Restorable)
            throw std::runtime_error("the journal does not replay");
    });
    double openRestoring = 0;
    for (int run = 0; run < 3; ++run) {
        writeJournal();
        const DefaultAnswers answers;
        grading::GradingWindow* window = nullptr;
        const double seconds = bench::secondsFor([&] {
            window = grading::openGradingWindow(workspace, nullptr);
            QCoreApplication::processEvents();
        });
        if (!window->state().hasChanges())
            throw std::runtime_error("nothing was restored");
        window->history().discardJournal();
        delete window;
        openRestoring = run == 0 ? seconds : std::min(openRestoring, seconds);
    }
    const auto [journalAppend, journalSync] = journalRecordSeconds(folder.path());

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
    bench::report(u"F2 on 250 selected answers with its rebuild and journal record"_s,
                  scoreKey * 1000, u"ms"_s);
    bench::report(u"journal record of 250 answers: written and flushed"_s, journalAppend * 1000,
                  u"ms"_s);
    bench::report(u"journal record of 250 answers: then synced to the disk"_s, journalSync * 1000,
                  u"ms"_s);
    bench::report(u"read and replay a journal of 5000 records"_s, inspect * 1000, u"ms"_s);
    bench::report(u"open the grading window restoring a journal of 5000 records"_s,
                  openRestoring * 1000, u"ms"_s);
    bench::report(u"restoring open / plain open"_s, openRestoring / open, u""_s);
    bench::report(u"rebuild / decode"_s, rebuild / decode, u""_s);
    bench::report(u"F2 with rebuild / decode"_s, scoreKey / decode, u""_s);
    bench::report(u"peak memory"_s, bench::peakMemoryMegabytes(), u"MB"_s);
    // Deleted, not closed: closing after the scores changed would ask whether to save them.
    delete window;
    return 0;
}
