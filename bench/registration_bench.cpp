// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"
#include "bench_report.h"
#include "bench_steps.h"
#include "imaging/sheet_alignment.h"
#include "imaging/sheet_redrawing.h"
#include "sample_exam/sample_class.h"
#include "sample_exam/sample_form.h"
#include "sample_exam/sample_writer.h"
#include "sample_exam/scan_effects.h"
#include "steps/sheet_import.h"
#include "steps/sheet_registration.h"
#include "workspace/atomic_file.h"
#include "workspace/folders.h"
#include "workspace/parallel_run.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

// Registration of the sheets at import: 100 scans of the sample form with handwriting, shifted
// by up to ±8 mm, turned by up to ±2°, scaled by up to ±2 %, 5 of them upside down, then 5
// pages of another form and 5 blank pages. Prints the worst error of a printed rule after
// registration, how many of the other pages were moved (must be 0), what estimating and
// redrawing a sheet take on one thread, the time registration adds to an import, and import with
// registration against a plain single-threaded import.
namespace {

using bench::require;

constexpr int kFormSheets = 100;
constexpr int kOtherForms = 5;
constexpr int kBlankPages = 5;
constexpr int kDotsPerInch = sample_exam::SampleForm::kDotsPerInch;
constexpr double kMillimetresPerInch = 25.4;

QString scanName(int number)
{
    return u"scan%1.jpg"_s.arg(number, 3, 10, QLatin1Char('0'));
}

void writeJpeg(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "JPEG");
    writer.setQuality(sample_exam::kScanQuality);
    require(writer.write(image), "cannot write a scan");
}

sample_exam::Placement placementOf(int sheet)
{
    QRandomGenerator random(static_cast<quint32>(sheet) * 7919u + 11u);
    const auto within = [&random](double limit) {
        return (2 * random.generateDouble() - 1) * limit;
    };
    const double maxShift = 8 / kMillimetresPerInch * kDotsPerInch;
    sample_exam::Placement placement;
    placement.shift = QPointF(within(maxShift), within(maxShift));
    placement.degrees = within(2);
    placement.scale = 1 + within(0.02);
    placement.upsideDown = sheet % 20 == 7;
    return placement;
}

// Page pixel centres to scan pixel centres: the painter maps a pixel's area, whose centre lies
// half a pixel in.
QTransform scanTransform(const sample_exam::Placement& placement)
{
    const QTransform half = QTransform::fromTranslate(0.5, 0.5);
    return half * sample_exam::placementTransform(placement, sample_exam::SampleForm::kPageSize)
           * half.inverted();
}

// Another examination's form: a table of narrow boxes in three columns and a few rules.
QImage otherForm(int number)
{
    QImage page(sample_exam::SampleForm::kPageSize, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(QPen(Qt::black, 3));
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 3; ++column)
            painter.drawRect(120 + column * 480, 420 + row * 130 + number * 7, 420, 100);
    painter.drawLine(100, 300, 1550, 300);
    painter.drawLine(100, 2250, 1550, 2250);
    painter.setFont(QFont(u"Noto Sans CJK JP"_s, 30));
    painter.drawText(QRect(100, 120, 1450, 150), Qt::AlignCenter, u"期末考査　理科"_s);
    return page;
}

struct ScanSet {
    QList<QTransform> transforms; // of the form sheets, in scan order
    QList<QRectF> rules;          // the form's boxes on the page
};

ScanSet writeScans(const QString& folder)
{
    QDir().mkpath(folder);
    const sample_exam::SampleForm form;
    const sample_exam::SampleClass students(sample_exam::SampleClass::kFullSize, form);
    ScanSet set;
    for (const QRect& field : form.fields())
        set.rules.append(QRectF(field));
    for (int sheet = 0; sheet < kFormSheets; ++sheet)
        set.transforms.append(scanTransform(placementOf(sheet)));
    const QList<workspace::Status> written =
        workspace::runInParallel(kFormSheets + kOtherForms + kBlankPages, [&](int index) {
            const QString path = QDir(folder).filePath(scanName(index + 1));
            const auto seed = static_cast<quint32>(index + 1);
            if (index < kFormSheets) {
                sample_exam::Student student = students.onSheet(index % students.size());
                student.hand.seed += 1000u * static_cast<quint32>(index / students.size());
                writeJpeg(sample_exam::scanned(sample_exam::filledForm(form, student), seed,
                                               kDotsPerInch, placementOf(index)),
                          path);
            } else if (index < kFormSheets + kOtherForms) {
                writeJpeg(sample_exam::scanned(otherForm(index), seed, kDotsPerInch), path);
            } else {
                QImage blank(sample_exam::SampleForm::kPageSize, QImage::Format_RGB32);
                blank.fill(Qt::white);
                writeJpeg(sample_exam::scanned(blank, seed, kDotsPerInch), path);
            }
            return workspace::Status{};
        });
    for (const workspace::Status& status : written)
        require(status);
    return set;
}

steps::ImportOutcome importSheets(const workspace::Workspace& workspace, const QString& scans,
                                  steps::Registration registration = steps::Registration::Off)
{
    steps::ImportOutcome outcome =
        bench::importScans(workspace, scans, steps::BlankPages::Keep, registration);
    require(outcome.sheetCount == kFormSheets + kOtherForms + kBlankPages, "import lost sheets");
    return outcome;
}

QByteArray sheetBytes(const workspace::Workspace& workspace, int number)
{
    const workspace::Expected<QByteArray> bytes =
        workspace::readWholeFile(workspace.path(workspace::paths::sheetImage(number)));
    require(static_cast<bool>(bytes), "cannot read a sheet");
    return *bytes;
}

// The worst distance, in pixels, between where registration puts a corner of a printed box and
// where it lies on sheet 1, over every form sheet; and how many were not registered.
struct Accuracy {
    double worstPixels = 0;
    int notAligned = 0;
};

Accuracy measureAccuracy(const workspace::Workspace& workspace, const ScanSet& set)
{
    const QByteArray first = sheetBytes(workspace, 1);
    const imaging::AlignmentReference reference =
        imaging::AlignmentReference::fromSheet(*imaging::SheetPixels::fromBmp(first, kDotsPerInch));
    require(reference.hasForm(), "sheet 1 shows no form");
    std::vector<double> worst(kFormSheets, 0);
    std::vector<char> aligned(kFormSheets, 1);
    const QList<workspace::Status> done = workspace::runInParallel(kFormSheets - 1, [&](int index) {
        const int sheet = index + 1;
        const QByteArray bytes = sheetBytes(workspace, sheet + 1);
        const imaging::SheetAlignment alignment =
            reference.align(*imaging::SheetPixels::fromBmp(bytes, kDotsPerInch));
        if (alignment.outcome != imaging::SheetAlignment::Outcome::Aligned) {
            aligned[sheet] = 0;
            return workspace::Status{};
        }
        for (const QRectF& rule : set.rules)
            for (const QPointF corner :
                 {rule.topLeft(), rule.topRight(), rule.bottomLeft(), rule.bottomRight()}) {
                const QPointF onFirst = set.transforms[0].map(corner);
                const QPointF error =
                    alignment.referenceToScan.map(onFirst) - set.transforms[sheet].map(corner);
                worst[sheet] = std::max(worst[sheet], std::hypot(error.x(), error.y()));
            }
        return workspace::Status{};
    });
    Accuracy accuracy;
    for (int sheet = 1; sheet < kFormSheets; ++sheet) {
        accuracy.worstPixels = std::max(accuracy.worstPixels, worst[sheet]);
        accuracy.notAligned += !aligned[sheet];
    }
    return accuracy;
}

// The two parts of registration on one thread, per sheet: estimating where a sheet lies, and
// redrawing one that moves.
struct PartTimes {
    double estimateMs = 0;
    double redrawMs = 0;
};

PartTimes measureParts(const workspace::Workspace& workspace)
{
    constexpr int kSheets = 20;
    const QByteArray first = sheetBytes(workspace, 1);
    const imaging::SheetPixels firstPixels = *imaging::SheetPixels::fromBmp(first, kDotsPerInch);
    const imaging::AlignmentReference reference =
        imaging::AlignmentReference::fromSheet(firstPixels);
    QList<QByteArray> sheets;
    for (int number = 2; number < 2 + kSheets; ++number)
        sheets.append(sheetBytes(workspace, number));
    QList<imaging::SheetAlignment> alignments;
    const double estimate = bench::secondsFor([&] {
        for (const QByteArray& sheet : sheets)
            alignments.append(reference.align(*imaging::SheetPixels::fromBmp(sheet, kDotsPerInch)));
    });
    int moved = 0;
    const double redraw = bench::secondsFor([&] {
        for (int index = 0; index < sheets.size(); ++index) {
            if (alignments[index].outcome != imaging::SheetAlignment::Outcome::Aligned)
                continue;
            ++moved;
            (void)imaging::alignedBmp(*imaging::SheetPixels::fromBmp(sheets[index], kDotsPerInch),
                                      alignments[index].referenceToScan, firstPixels.size);
        }
    });
    require(moved > 0, "no sheet to redraw");
    return {1000 * estimate / kSheets, 1000 * redraw / moved};
}

void run()
{
    QTemporaryDir root(QDir::tempPath() + u"/marutsuke-registration-XXXXXX"_s);
    require(root.isValid(), "cannot create the temporary folder");
    const QString scans = root.filePath(u"scans"_s);
    const ScanSet set = writeScans(scans);
    const workspace::Workspace workspace(root.filePath(u"work"_s));
    require(workspace::ensureFolder(workspace.path(workspace::paths::dataFolder())));

    importSheets(workspace, scans);
    QList<QByteArray> others;
    for (int number = kFormSheets + 1; number <= kFormSheets + kOtherForms + kBlankPages; ++number)
        others.append(sheetBytes(workspace, number));
    const Accuracy accuracy = measureAccuracy(workspace, set);
    const PartTimes parts = measureParts(workspace);
    const steps::ImportOutcome lined = importSheets(workspace, scans, steps::Registration::On);
    require(lined.registration && lined.registration->refused.isEmpty(),
            "registration refused the set");
    const steps::RegistrationOutcome& outcome = *lined.registration;
    int othersMoved = 0;
    for (int index = 0; index < others.size(); ++index)
        othersMoved += sheetBytes(workspace, kFormSheets + 1 + index) != others[index];
    bench::report(u"worst printed-rule error after registration (200 dpi)"_s, accuracy.worstPixels,
                  u"px"_s);
    bench::report(u"form sheets not registered"_s, accuracy.notAligned, u"sheets"_s);
    bench::report(u"sheets listed as moved"_s, outcome.moved.size(), u"sheets"_s);
    bench::report(u"other-form and blank pages moved (must be 0)"_s, othersMoved, u"pages"_s);

    bench::report(u"estimating where a sheet lies, one thread"_s, parts.estimateMs, u"ms"_s);
    bench::report(u"redrawing a moved sheet, one thread"_s, parts.redrawMs, u"ms"_s);

    const QString baselineSheets = root.filePath(u"baseline"_s);
    const QString sheets = workspace.path(workspace::paths::sheetFolder());
    const auto settled = [&](const QString& output, const std::function<void()>& action) {
        QDir(output).removeRecursively();
        ::sync();
        return bench::secondsFor(action);
    };
    double baseline = 1e9;
    double plain = 1e9;
    double registered = 1e9;
    for (int round = 0; round < 3; ++round) {
        baseline = std::min(
            baseline, settled(baselineSheets, [&] { bench::baselineImport(scans, baselineSheets); }));
        plain = std::min(plain, settled(sheets, [&] { (void)importSheets(workspace, scans); }));
        registered = std::min(registered, settled(sheets, [&] {
                                  (void)importSheets(workspace, scans, steps::Registration::On);
                              }));
    }
    const int pages = kFormSheets + kOtherForms + kBlankPages;
    bench::report(u"import of %1 pages without registration"_s.arg(pages), plain, u"s"_s);
    bench::report(u"import of %1 pages with registration"_s.arg(pages), registered, u"s"_s);
    bench::report(u"time registration adds per sheet"_s, 1000 * (registered - plain) / pages,
                  u"ms"_s);
    bench::report(u"single-threaded import baseline"_s, baseline, u"s"_s);
    bench::report(u"ratio import with registration / baseline"_s, registered / baseline, u"x"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    bench::BenchApplication application(argc, argv);
    try {
        run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "registration_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
