// SPDX-License-Identifier: GPL-3.0-or-later
// Blank answers and the order of look-alike answers on one question of 500 generated answers:
// a printed box with a figure, five kinds of handwritten answer in 500 different hands (some
// faint), blank answers, scanner shift, paper tone, noise and dust. Prints how well the blank
// answers are found, how often neighbours in the order are of one kind, and the time taken,
// beside the time of the same page in sheet order. With BLANK_BENCH_VERBOSE set it names the
// answers judged wrongly and the most ink of a blank answer and the least of a written one.
#include "bench_application.h"
#include "bench_report.h"
#include "grading/grading_window.h"
#include "grading/open_grading.h"
#include "imaging/answer_ink.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/japanese_font.h"
#include "imaging/similar_order.h"
#include "sample_exam/handwriting.h"
#include "steps/question_ink.h"
#include "synthetic_exam.h"
#include "workspace/region_file.h"

#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kAnswers = 500;
constexpr QSize kCutoutSize{600, 150};
constexpr int kBlankKind = -1;
// One answer in seven left blank; one written answer in twenty in faint pencil.
constexpr int kBlankOneIn = 7;
constexpr int kFaintOneIn = 20;

const QStringList& kinds()
{
    static const QStringList texts{u"東京"_s, u"3.14"_s, u"ア"_s, u"x=2"_s, u"12cm"_s};
    return texts;
}

// The printed box as the form has it: frame, question number and a triangle with its labels,
// where the scanner put it on this sheet.
void drawPrint(QPainter& painter, QPoint shift)
{
    painter.save();
    painter.translate(shift);
    painter.setPen(QPen(QColor(30, 30, 30), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(6, 6, kCutoutSize.width() - 12, kCutoutSize.height() - 12));
    QFont font(imaging::japaneseFontFamily());
    font.setPixelSize(26);
    painter.setFont(font);
    painter.drawText(QPoint(18, 44), u"(3)"_s);
    painter.drawPolygon(QPolygon({QPoint(470, 120), QPoint(570, 120), QPoint(500, 40)}));
    font.setPixelSize(18);
    painter.setFont(font);
    painter.drawText(QPoint(455, 138), u"A"_s);
    painter.drawText(QPoint(572, 138), u"B"_s);
    painter.drawText(QPoint(496, 34), u"C"_s);
    painter.restore();
}

void addScannerNoise(QImage& image, QRandomGenerator& random)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(std::lround(random.generateDouble() * 16 - 8));
            const int value = std::clamp(qGray(row[x]) + grain, 0, 255);
            row[x] = qRgb(value, value, value);
        }
    }
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    const int specks = int(random.bounded(8));
    for (int speck = 0; speck < specks; ++speck) {
        painter.setBrush(QColor::fromHsv(0, 0, int(random.bounded(120))));
        const double radius = 0.5 + random.generateDouble() * 1.5;
        painter.drawEllipse(
            QPointF(random.bounded(kCutoutSize.width()), random.bounded(kCutoutSize.height())),
            radius, radius);
    }
}

struct Answer {
    QImage image;
    int kind = kBlankKind;
};

Answer makeAnswer(int sheet)
{
    QRandomGenerator random(quint32(sheet) * 2654435761u);
    Answer answer;
    const int draw = int(random.bounded(100));
    // Kinds of 40, 25, 15, 12 and 8 in a hundred written answers.
    if (sheet % kBlankOneIn != 3)
        answer.kind = draw < 40 ? 0 : draw < 65 ? 1 : draw < 80 ? 2 : draw < 92 ? 3 : 4;
    const int paper = 232 + int(random.bounded(20));
    answer.image = QImage(kCutoutSize, QImage::Format_RGB32);
    answer.image.fill(QColor(paper, paper, paper));
    QPainter painter(&answer.image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPrint(painter, QPoint(int(random.bounded(7)) - 3, int(random.bounded(7)) - 3));
    if (answer.kind != kBlankKind) {
        sample_exam::Hand hand = sample_exam::Hand::forWriter(quint32(sheet));
        hand.letterSize = 48 + random.bounded(20);
        if (sheet % kFaintOneIn == 1)
            hand.ink = QColor(165, 165, 170);
        sample_exam::writeByHand(painter, kinds()[answer.kind],
                                 QPointF(90 + random.bounded(120), 100 + random.bounded(25)), hand);
    }
    painter.end();
    addScannerNoise(answer.image, random);
    // Scanners deliver JPEG: its ringing around every edge comes with the cut-out.
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    answer.image.save(&buffer, "JPEG", 75);
    answer.image = QImage::fromData(jpeg, "JPEG").convertToFormat(QImage::Format_RGB32);
    return answer;
}

// The grading window on the generated answers as region 1 of a workspace: the time of the first
// "似た順" (the question judged), and then of a switch to another question and back and of the
// check box, each of which finds the question judged already.
void timeTheWindow(const std::vector<Answer>& answers)
{
    QTemporaryDir folder;
    const workspace::Workspace workspace(folder.path());
    // Only the existence of the sheet images matters to grading.
    bench::writeSheets(workspace, kAnswers, QSize(165, 234));
    QDir().mkpath(workspace.path(u"ini"_s));
    const QList<workspace::RegionRect> regions{{10, 160, 610, 10}, {10, 60, 110, 10}};
    if (workspace::Status written =
            workspace::writeRegions(workspace.path(workspace::paths::regionFile()), regions);
        !written)
        qFatal("%s", qPrintable(written.error()));
    for (int region : {1, 2}) {
        QDir().mkpath(workspace.path(workspace::paths::cutoutFolder(region)));
        for (int sheet = 1; sheet <= kAnswers; ++sheet) {
            const QImage& image = answers[std::size_t(sheet - 1)].image;
            if (workspace::Status saved = imaging::saveDerivedBmp(
                    region == 1 ? image : image.copy(0, 0, 100, 50),
                    workspace.path(workspace::paths::cutoutImage(region, sheet)));
                !saved)
                qFatal("%s", qPrintable(saved.error()));
        }
    }
    // What "6.採点実行" adds for the 無答率 of toukei.csv: both questions judged once.
    const double blankRates = bench::bestSecondsFor(3, [&] {
        if (steps::questionBlankShares(workspace, 2, kAnswers).size() != 2)
            qFatal("no blank rates");
    });
    bench::report(u"無答率 of 2 questions of 500 answers, as 6.採点実行 adds it"_s,
                  blankRates * 1000, u"ms"_s);

    QPointer<grading::GradingWindow> window = grading::openGradingWindow(workspace, nullptr);
    if (!window)
        qFatal("the grading window did not open");
    window->show();
    const auto selector = [&window](int index) {
        for (QLabel* label : window->findChildren<QLabel*>(u"Label1"_s))
            if (label->property("index").toInt() == index)
                return label;
        qFatal("no region selector");
    };
    auto* similar = window->findChild<QCheckBox*>(u"chkNiteru"_s);
    auto* blank = window->findChild<QPushButton*>(u"cmdMutou"_s);
    const auto settle = [] { QCoreApplication::processEvents(); };
    QTest::mouseClick(selector(0), Qt::LeftButton);
    settle();
    const double first = bench::secondsFor([&] {
        similar->click();
        blank->click();
        settle();
    });
    // The other question judged too, so that what follows finds both in the cache.
    QTest::mouseClick(selector(1), Qt::LeftButton);
    QTest::mouseClick(selector(0), Qt::LeftButton);
    double switching = 0;
    double toggling = 0;
    for (int round = 0; round < 5; ++round) {
        switching = std::max(switching, bench::secondsFor([&] {
                                            QTest::mouseClick(selector(1), Qt::LeftButton);
                                            QTest::mouseClick(selector(0), Qt::LeftButton);
                                            settle();
                                        }) / 2);
        toggling = std::max(toggling, bench::secondsFor([&] {
                                similar->click();
                                settle();
                            }));
    }
    // The page of 500 answers in sheet order, for comparison: what a switch cost before.
    similar->setChecked(false);
    const double sheetOrder = bench::bestSecondsFor(5, [&] {
        QTest::mouseClick(selector(0), Qt::LeftButton);
        settle();
    });
    bench::report(u"window: first 似た順 and 無答を選択 of 500 answers"_s, first * 1000, u"ms"_s);
    bench::report(u"window: switching question afterwards (slowest of 5)"_s, switching * 1000,
                  u"ms"_s);
    bench::report(u"window: the 似た順 box afterwards (slowest of 5)"_s, toggling * 1000, u"ms"_s);
    bench::report(u"window: the same page in sheet order (baseline, best of 5)"_s,
                  sheetOrder * 1000, u"ms"_s);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    delete window.data();
}

} // namespace

int main(int argc, char** argv)
{
    bench::BenchApplication application(argc, argv);
    std::vector<Answer> answers;
    answers.reserve(kAnswers);
    for (int sheet = 1; sheet <= kAnswers; ++sheet)
        answers.push_back(makeAnswer(sheet));

    QTemporaryDir folder;
    QStringList paths;
    for (int index = 0; index < kAnswers; ++index) {
        paths.append(folder.filePath(u"%1.bmp"_s.arg(index + 1, 3, 10, QChar(u'0'))));
        if (workspace::Status saved =
                imaging::saveDerivedBmp(answers[std::size_t(index)].image, paths.last());
            !saved)
            qFatal("%s", qPrintable(saved.error()));
    }

    std::vector<imaging::AnswerInk> judged;
    std::vector<int> order;
    const double seconds = bench::bestSecondsFor(5, [&] {
        std::vector<imaging::GreyThumbnail> thumbnails;
        thumbnails.reserve(kAnswers);
        for (const QString& path : paths)
            thumbnails.push_back(imaging::readGreyThumbnail(path));
        judged = imaging::judgeAnswerInk(thumbnails);
        order = imaging::similarOrder(judged);
    });

    std::vector<imaging::GreyThumbnail> thumbnails;
    const double readingSeconds = bench::bestSecondsFor(5, [&] {
        thumbnails.clear();
        for (const QString& path : paths)
            thumbnails.push_back(imaging::readGreyThumbnail(path));
    });
    const double judgingSeconds =
        bench::bestSecondsFor(5, [&] { judged = imaging::judgeAnswerInk(thumbnails); });
    const double orderingSeconds =
        bench::bestSecondsFor(5, [&] { order = imaging::similarOrder(judged); });

    int blanks = 0;
    int found = 0;
    int foundRight = 0;
    for (int index = 0; index < kAnswers; ++index) {
        const bool blank = answers[std::size_t(index)].kind == kBlankKind;
        const bool judgedBlank =
            judged[std::size_t(index)].judgement == imaging::InkJudgement::Blank;
        blanks += blank;
        found += judgedBlank;
        foundRight += blank && judgedBlank;
        if (blank != judgedBlank && qEnvironmentVariableIsSet("BLANK_BENCH_VERBOSE"))
            qInfo("sheet %d: %s, ink %d", index + 1,
                  blank ? "blank judged written" : "written judged blank",
                  judged[std::size_t(index)].inkPixels);
    }
    if (qEnvironmentVariableIsSet("BLANK_BENCH_VERBOSE")) {
        int mostOfBlank = 0;
        int leastOfWritten = std::numeric_limits<int>::max();
        for (int index = 0; index < kAnswers; ++index) {
            const int ink = judged[std::size_t(index)].inkPixels;
            if (answers[std::size_t(index)].kind == kBlankKind)
                mostOfBlank = std::max(mostOfBlank, ink);
            else
                leastOfWritten = std::min(leastOfWritten, ink);
        }
        qInfo("most ink of a blank answer %d, least of a written one %d", mostOfBlank,
              leastOfWritten);
    }
    // Neighbours among the written answers: the order's blank start is not counted.
    int pairs = 0;
    int samePairs = 0;
    for (std::size_t position = 1; position < order.size(); ++position) {
        const int one = answers[std::size_t(order[position - 1])].kind;
        const int other = answers[std::size_t(order[position])].kind;
        if (one == kBlankKind || other == kBlankKind)
            continue;
        ++pairs;
        samePairs += one == other;
    }
    bench::report(u"blank answers (generated)"_s, blanks, u"answers"_s);
    bench::report(u"blank recall"_s, 100.0 * foundRight / std::max(blanks, 1), u"%"_s);
    bench::report(u"blank precision"_s, 100.0 * foundRight / std::max(found, 1), u"%"_s);
    bench::report(u"neighbours of the same kind"_s, 100.0 * samePairs / std::max(pairs, 1), u"%"_s);
    bench::report(u"reading, blank detection and order of 500 cut-outs"_s, seconds * 1000, u"ms"_s);
    bench::report(u"  of which reading the cut-outs"_s, readingSeconds * 1000, u"ms"_s);
    bench::report(u"  of which blank detection"_s, judgingSeconds * 1000, u"ms"_s);
    bench::report(u"  of which the order"_s, orderingSeconds * 1000, u"ms"_s);
    timeTheWindow(answers);
    return 0;
}
