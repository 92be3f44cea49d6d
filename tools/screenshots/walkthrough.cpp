// SPDX-License-Identifier: GPL-3.0-or-later
#include "walkthrough.h"

#include "camera.h"
#include "exam_driver/teacher.h"
#include "main_window/main_window.h"
#include "main_window/result_actions.h"
#include "sample_exam/sample_writer.h"
#include "workspace/sample_location.h"

#include <QDir>
#include <QImage>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
namespace paths = workspace::paths;

namespace screenshots {

namespace {

constexpr int kSampleSheetWidth = 827;
constexpr int kGridColumns = 3;
constexpr int kAnswerZoomSteps = 3;
constexpr int kRosterZoomSteps = 3;
// The question whose wrong answers get a comment, and the comment.
constexpr int kCommentedQuestion = 3;
const QString kComment = u"移項に注意"_s;

// The walkthrough photographs a road that went as the README says, or none at all.
void expectMessages(const exam_driver::Teacher& teacher, const QStringList& expected)
{
    if (teacher.messages() != expected)
        throw std::runtime_error("unexpected messages: "
                                 + teacher.messages().join(u" / "_s).toStdString());
}

// Reduces the sheet view until the whole sheet stands above the button panel.
void fitSheetAbovePanel(main_window::MainWindow& window, exam_driver::Teacher& teacher)
{
    const QWidget* view = window.findChild<QWidget*>(u"Image1"_s);
    const QWidget* panel = window.findChild<QWidget*>(u"Frame1"_s);
    for (int step = 0; step < 20 && view->geometry().bottom() >= panel->y(); ++step)
        teacher.reduceSheetView(1);
}

// Puts the roster into sheet order: the first of the two neighbours goes in after the second,
// and the late student's name goes from its place in the list to the last row.
void putRosterRight(exam_driver::Teacher& teacher, int sheetCount)
{
    using sample_exam::SampleClass;
    teacher.selectRosterRow(SampleClass::kSwappedFirst);
    teacher.takeOutName();
    teacher.selectRosterRow(SampleClass::kSwappedSecond);
    teacher.insertName();
    teacher.selectRosterRow(SampleClass::kLateStudent);
    teacher.takeOutName();
    teacher.selectRosterRow(sheetCount - 1);
    teacher.insertName();
}

// Full marks (F6) to every right answer of a question, then 0 (F1) to the rest; the wrong
// answers of one question get a comment first.
void gradeQuestion(exam_driver::Teacher& teacher, const sample_exam::SampleClass& students,
                   const sample_exam::SampleForm& form, int question, Camera* camera)
{
    teacher.chooseRegion(question + 2);
    const sample_exam::Question& asked = form.questions()[question];
    for (int sheet = 1; sheet <= students.size(); ++sheet)
        if (asked.isCorrect(students.onSheet(sheet - 1).answers[question]))
            teacher.clickAnswer(sheet);
    teacher.pressScoreKey(6);
    if (question == kCommentedQuestion) {
        for (int sheet = 1; sheet <= students.size(); ++sheet)
            if (!students.onSheet(sheet - 1).answers[question].isEmpty()
                && !asked.isCorrect(students.onSheet(sheet - 1).answers[question]))
                teacher.clickAnswer(sheet);
        teacher.applyComment(kComment);
    }
    teacher.selectUnscored();
    if (camera)
        camera->shoot(u"06-grading"_s);
    teacher.pressScoreKey(1);
}

} // namespace

void photographWalkthrough(const QString& workFolder, Camera& camera)
{
    const workspace::Workspace work(workFolder);
    const workspace::Expected<sample_exam::SampleOutcome> made =
        sample_exam::makeSampleExam(workFolder, sample_exam::SampleClass::kFullSize);
    if (!made)
        throw std::runtime_error(made.error().toStdString());
    const sample_exam::SampleForm form;
    const sample_exam::SampleClass students(sample_exam::SampleClass::kFullSize, form);
    const QImage firstScan(
        QDir(work.path(paths::sampleScans())).filePath(sample_exam::scanFileName(1)));
    camera.save(u"00-sample-sheet"_s,
                firstScan.scaledToWidth(kSampleSheetWidth, Qt::SmoothTransformation));

    main_window::MainWindow window{work};
    window.show();
    exam_driver::Teacher teacher(window);
    teacher.setDialogWatcher([&camera](QWidget*) { camera.dialogShown(); });

    camera.expectDialogs({u"01-import-folder"_s, u"02-imported"_s});
    teacher.importSheets(work.path(paths::sampleScans()));
    // The sample's scans lie a little askew, as a flatbed's do: the import lines them up and
    // lists them after the count.
    const QStringList imported = teacher.messages();
    if (imported.size() != 2 || imported.first() != u"30枚の答案を読み込みました"_s
        || !imported.last().startsWith(u"次の"_s))
        throw std::runtime_error("unexpected messages: " + imported.join(u" / "_s).toStdString());
    fitSheetAbovePanel(window, teacher);
    for (const QRect& field : form.fields())
        teacher.markRegion(field);
    camera.shoot(u"03-regions"_s);
    camera.expectDialogs({u"04-cut"_s});
    teacher.cutAnswers();
    expectMessages(teacher, {u"切り取り作業が完了しました"_s});

    teacher.openRoster();
    for (int step = 0; step < kRosterZoomSteps; ++step)
        teacher.reduceRosterRows();
    teacher.loadRoster(work.path(paths::sampleRoster()));
    expectMessages(teacher, {});
    teacher.selectRosterRow(sample_exam::SampleClass::kSwappedFirst);
    camera.shoot(u"05-roster"_s);
    putRosterRight(teacher, students.size());
    teacher.finishRoster();

    teacher.openGrading();
    teacher.chooseRegion(2);
    teacher.showCommentsAndNames();
    for (int column = 1; column < kGridColumns; ++column)
        teacher.addColumn();
    for (int step = 0; step < kAnswerZoomSteps; ++step)
        teacher.reduceAnswers();
    for (int question = 0; question < form.questions().size(); ++question)
        gradeQuestion(teacher, students, form, question,
                      question == kCommentedQuestion ? &camera : nullptr);
    teacher.finishGrading();
    expectMessages(teacher, {});

    teacher.computeResults(steps::RankDisplay::Shown);
    expectMessages(teacher, {u"hyoukaフォルダに採点結果を保存しました"_s});
    teacher.showNextResult();
    camera.shoot(u"07-marked-sheet"_s);

    // No printer under the picture-taking X server: the sheets are printed to PDF files.
    const QString printed = work.path(u"printed"_s);
    QDir().mkpath(printed);
    window.resultActions().setPrintDestination(results::PrintDestination::pdfFiles(printed));
    camera.expectDialogs({u"08-print-settings"_s});
    teacher.printAllSheets(u"A4"_s, u"縦"_s);
    expectMessages(teacher, {});

    if (!teacher.unexpectedDialogs().isEmpty())
        throw std::runtime_error("unexpected dialogs: "
                                 + teacher.unexpectedDialogs().join(u", "_s).toStdString());
}

} // namespace screenshots
