// SPDX-License-Identifier: GPL-3.0-or-later
#include "sample_writer.h"

#include "scan_effects.h"
#include "scan_pdf.h"
#include "workspace/parallel_run.h"
#include "workspace/sample_location.h"
#include "workspace/text_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace sample_exam {

namespace {

// Where the writing starts inside a box, and how far down its baseline lies.
constexpr int kWritingIndent = 28;
constexpr double kBaselineShare = 0.7;

void writeInBox(QPainter& painter, const QString& text, const QRect& box, const Hand& hand,
                QRandomGenerator& random)
{
    const QPointF start(box.left() + kWritingIndent + random.bounded(50),
                        box.top() + box.height() * kBaselineShare + random.bounded(17) - 8);
    writeByHand(painter, text, start, hand);
}

QImage scanOfSheet(const SampleForm& form, const SampleClass& students, int sheetIndex,
                   Feeding feeding)
{
    const Student& student = students.onSheet(sheetIndex);
    if (feeding == Feeding::Flatbed)
        return sampleSheet(form, student);
    return scanned(filledForm(form, student), student.hand.seed, SampleForm::kDotsPerInch,
                   carelessFeederPlacement(student, sheetIndex));
}

workspace::Status writeScan(const QImage& scan, const QString& path)
{
    QImageWriter writer(path, "JPEG");
    writer.setQuality(kScanQuality);
    if (!writer.write(scan))
        return workspace::Failure{u"サンプルの答案 %1 を書き込めませんでした（%2）。"_s.arg(
            QDir::toNativeSeparators(path), writer.errorString())};
    return {};
}

QByteArray encodedScan(const QImage& scan)
{
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(kScanQuality);
    return writer.write(scan) ? jpeg : QByteArray();
}

// The scans as the pages of one PDF, made on every core and written in sheet order.
workspace::Status writeScanPdfOf(const SampleForm& form, const SampleClass& students,
                                 Feeding feeding, const QString& path)
{
    std::vector<QByteArray> jpegs(students.size());
    const QList<workspace::Status> encoded =
        workspace::runInParallel(students.size(), [&](int index) -> workspace::Status {
            jpegs[index] = encodedScan(scanOfSheet(form, students, index, feeding));
            if (jpegs[index].isEmpty())
                return workspace::Failure{
                    u"サンプルの答案 %1 を作れませんでした。"_s.arg(index + 1)};
            return {};
        });
    for (const workspace::Status& status : encoded)
        if (!status)
            return status;
    return writeScanPdf(path, students.size(), [&jpegs](int index) {
        return jpegPage(jpegs[index], SampleForm::kPageSize, 3, SampleForm::kDotsPerInch);
    });
}

} // namespace

QString scanFileName(int sheetNumber)
{
    return u"scan%1.jpg"_s.arg(sheetNumber, 3, 10, QLatin1Char('0'));
}

QString scanPdfName()
{
    return u"scan.pdf"_s;
}

QImage filledForm(const SampleForm& form, const Student& student)
{
    QImage page(SampleForm::kPageSize, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        form.draw(painter);
        QRandomGenerator random(student.hand.seed * 65537u + 3u);
        Hand nameHand = student.hand;
        nameHand.letterSize *= 1.1;
        writeInBox(painter, student.name, form.nameField(), nameHand, random);
        for (int index = 0; index < student.answers.size(); ++index)
            if (!student.answers[index].isEmpty())
                writeInBox(painter, student.answers[index], form.answerBox(index), student.hand,
                           random);
    }
    return page;
}

QImage sampleSheet(const SampleForm& form, const Student& student)
{
    return scanned(filledForm(form, student), student.hand.seed, SampleForm::kDotsPerInch);
}

Placement carelessFeederPlacement(const Student& student, int sheetIndex)
{
    Placement placement = feederPlacement(student.hand.seed, SampleForm::kDotsPerInch);
    placement.upsideDown = sheetIndex == kUpsideDownSheet;
    return placement;
}

workspace::Expected<SampleOutcome> makeSampleExam(const QString& workFolder, int classSize,
                                                  ScanFiles scanFiles, Feeding feeding)
{
    const QDir work(workFolder);
    const QString target = work.filePath(workspace::paths::sampleFolder());
    if (QFileInfo::exists(target))
        return SampleOutcome::AlreadyThere;
    if (!work.mkpath(u"."_s))
        return workspace::Failure{
            u"フォルダ %1 を作れませんでした。"_s.arg(QDir::toNativeSeparators(workFolder))};

    // The sample is made in a folder laid out like the work folder, beside it so that the final
    // rename stays on one file system; the staging folder itself goes with this object.
    QTemporaryDir staging(work.filePath(u".sample-XXXXXX"_s));
    const QDir stagingRoot(staging.path());
    const QString scans = stagingRoot.filePath(workspace::paths::sampleScans());
    if (!staging.isValid() || !QDir().mkpath(scans))
        return workspace::Failure{u"フォルダ %1 にサンプルの試験を作れませんでした。"_s.arg(
            QDir::toNativeSeparators(workFolder))};

    const SampleForm form;
    const SampleClass students(classSize, form);
    if (scanFiles == ScanFiles::Pdf) {
        if (workspace::Status written =
                writeScanPdfOf(form, students, feeding, QDir(scans).filePath(scanPdfName()));
            !written)
            return workspace::Failure{written.error()};
    } else {
        const QList<workspace::Status> written =
            workspace::runInParallel(students.size(), [&](int index) {
                return writeScan(scanOfSheet(form, students, index, feeding),
                                 QDir(scans).filePath(scanFileName(index + 1)));
            });
        for (const workspace::Status& status : written)
            if (!status)
                return workspace::Failure{status.error()};
    }
    if (workspace::Status roster = workspace::writeTextLines(
            stagingRoot.filePath(workspace::paths::sampleRoster()), students.rosterNames());
        !roster)
        return workspace::Failure{roster.error()};

    if (!QDir().rename(stagingRoot.filePath(workspace::paths::sampleFolder()), target))
        return workspace::Failure{
            u"サンプルの試験を %1 に置けませんでした。"_s.arg(QDir::toNativeSeparators(target))};
    return SampleOutcome::Created;
}

} // namespace sample_exam
