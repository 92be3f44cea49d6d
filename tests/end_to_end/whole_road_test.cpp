// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "exam_driver/teacher.h"
#include "main_window/main_window.h"
#include "main_window/result_actions.h"
#include "roster/roster_window.h"
#include "sample_exam/sample_writer.h"
#include "steps/pdf_names.h"
#include "workspace/cp932.h"
#include "workspace/region_file.h"
#include "workspace/sample_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

// Six of the sample's thirty students: enough for a Shift range, a late sheet in the roster and
// every kind of score, small enough for every build. Their sheets are full A4 scans at 200 dpi.
constexpr int kStudents = 6;
// How far a marked region may reach beyond the box it was drawn round: the marking's own margin
// of 2 to 4 display pixels, in sheet pixels at the test screen's scale.
constexpr int kMarkingMargin = 14;

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage picture(const TemporaryWorkspace& folder, const QString& relative)
{
    return rgb(QImage(folder.path(relative)));
}

bool isMarkRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

int redPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isMarkRed(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// The largest channel difference over a grid of points: JPEG decoders may round differently.
int largestDifference(const QImage& first, const QImage& second)
{
    int largest = 0;
    for (int y = 0; y < first.height(); y += 37)
        for (int x = 0; x < first.width(); x += 29) {
            const QRgb a = first.pixel(x, y);
            const QRgb b = second.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(a) - qRed(b)),
                                std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        }
    return largest;
}

QByteArray shiftJisLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        const workspace::Expected<QByteArray> encoded = workspace::cp932::encode(line);
        EXPECT_TRUE(encoded.hasValue()) << line.toStdString();
        if (encoded)
            bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

QStringList textFilesIn(const TemporaryWorkspace& folder, const QString& relative)
{
    return QDir(folder.path(relative)).entryList({u"*.txt"_s}, QDir::Files, QDir::Name);
}

// Makes the process's current directory one that no longer exists, for as long as it lives: a
// file reached through the current directory rather than through the work folder then fails to
// open, even for root, who may write anywhere else.
class VanishedCurrentDirectory {
public:
    VanishedCurrentDirectory()
    {
        QDir::setCurrent(m_folder.path());
        m_folder.remove();
    }
    ~VanishedCurrentDirectory() { QDir::setCurrent(m_previous); }
    VanishedCurrentDirectory(const VanishedCurrentDirectory&) = delete;
    VanishedCurrentDirectory& operator=(const VanishedCurrentDirectory&) = delete;

private:
    const QString m_previous = QDir::currentPath();
    QTemporaryDir m_folder;
};

class WholeRoad : public ::testing::Test {
protected:
    WholeRoad()
        : m_students(kStudents, m_form)
    {
    }

    void SetUp() override
    {
        const workspace::Expected<sample_exam::SampleOutcome> made =
            sample_exam::makeSampleExam(m_folder.workspace().root(), kStudents);
        ASSERT_TRUE(made.hasValue()) << made.error().toStdString();
        m_window = std::make_unique<main_window::MainWindow>(m_folder.workspace());
        m_window->show();
        m_teacher = std::make_unique<exam_driver::Teacher>(*m_window);
    }

    void importTheSample();
    void markThreeRegionsWithOneUndo();
    void cutTheSheets();
    void assignTheRoster();
    void gradeTwoQuestions();
    void computeTheResultsWithRanks();
    void browseTheMarkedSheets();
    void printEverySheet();
    void exportThePdfs();
    void resetForNewMarking();

    [[nodiscard]] QImage sheet(int number) const
    {
        return picture(m_folder, paths::sheetImage(number));
    }
    [[nodiscard]] QList<workspace::RegionRect> storedRegions() const
    {
        const workspace::Expected<QList<workspace::RegionRect>> regions =
            workspace::readRegions(m_folder.path(paths::regionFile()));
        EXPECT_TRUE(regions.hasValue()) << regions.error().toStdString();
        return regions ? *regions : QList<workspace::RegionRect>{};
    }

    // Every step finds its files through the work folder alone.
    const VanishedCurrentDirectory m_unrelatedCurrentDirectory;
    TemporaryWorkspace m_folder;
    const sample_exam::SampleForm m_form;
    const sample_exam::SampleClass m_students;
    std::unique_ptr<main_window::MainWindow> m_window;
    std::unique_ptr<exam_driver::Teacher> m_teacher;
    // The boxes marked as regions 1, 2 and 3: the name field, then questions 1 and 2.
    QList<QRect> m_marked;
};

void WholeRoad::importTheSample()
{
    // The walk compares every stored sheet with its scan, so the sample's flatbed scans, which
    // lie within a few pixels of each other, are imported as scanned.
    m_folder.writeBytes(paths::preferencesFile(), "register_sheets=0\r\n");
    m_teacher->importSheets(m_folder.path(paths::sampleScans()));

    EXPECT_EQ(m_teacher->dialogFolders(), QStringList{m_folder.path(paths::sampleScans())})
        << "the first import opens where the sample is";
    EXPECT_EQ(m_teacher->messages(), QStringList{u"6枚の答案を読み込みました"_s});
    EXPECT_EQ(m_folder.workspace().sheetCount(), kStudents);
    EXPECT_FALSE(m_folder.exists(paths::sheetImage(kStudents + 1)));
    for (int number = 1; number <= kStudents; ++number) {
        const QImage stored = sheet(number);
        ASSERT_EQ(stored.size(), sample_exam::SampleForm::kPageSize) << number;
        const QImage scan(
            QDir(m_folder.path(paths::sampleScans())).filePath(sample_exam::scanFileName(number)));
        EXPECT_LE(largestDifference(stored, rgb(scan)), 6) << "sheet " << number;
    }
    EXPECT_TRUE(textFilesIn(m_folder, paths::dataFolder()).isEmpty());
    EXPECT_EQ(picture(m_folder, paths::undoNew()), rgb(m_window->displaySurface()));
}

void WholeRoad::markThreeRegionsWithOneUndo()
{
    m_teacher->markRegion(m_form.nameField());
    m_teacher->markRegion(m_form.answerBox(0));
    const QImage twoRegions = picture(m_folder, paths::undoNew());
    // The third rectangle goes round the wrong question, and is taken back.
    m_teacher->markRegion(m_form.answerBox(2));
    EXPECT_EQ(picture(m_folder, paths::undoOld()), twoRegions);
    EXPECT_NE(picture(m_folder, paths::undoNew()), twoRegions);
    m_teacher->undoRegion();
    EXPECT_EQ(picture(m_folder, paths::undoNew()), twoRegions);
    EXPECT_EQ(rgb(m_window->displaySurface()), twoRegions);
    m_teacher->markRegion(m_form.answerBox(1));
    m_marked = {m_form.nameField(), m_form.answerBox(0), m_form.answerBox(1)};

    EXPECT_TRUE(m_teacher->messages().isEmpty());
    EXPECT_FALSE(m_folder.exists(paths::regionFile())) << "regions are written by cutting";
    const QImage marking = picture(m_folder, paths::undoNew());
    EXPECT_EQ(marking, rgb(m_window->displaySurface()));
    const double scale = m_window->displayScale();
    for (const QRect& box : {m_form.nameField(), m_form.answerBox(1), m_form.answerBox(2)}) {
        const QPoint centre = (QPointF(box.center()) * scale).toPoint();
        const bool tinted = qRed(marking.pixel(centre)) > 2 * qGreen(marking.pixel(centre));
        EXPECT_EQ(tinted, box != m_form.answerBox(2)) << box.top();
    }
}

void WholeRoad::cutTheSheets()
{
    m_teacher->cutAnswers();
    EXPECT_EQ(m_teacher->messages(), QStringList{u"切り取り作業が完了しました"_s});

    const QList<workspace::RegionRect> regions = storedRegions();
    ASSERT_EQ(regions.size(), 3);
    for (int region = 1; region <= 3; ++region) {
        const workspace::RegionRect& stored = regions[region - 1];
        const QRect& box = m_marked[region - 1];
        const QRect cut(stored.left, stored.top, stored.width(), stored.height());
        EXPECT_TRUE(cut.contains(box)) << "region " << region;
        EXPECT_TRUE(box.adjusted(-kMarkingMargin, -kMarkingMargin, kMarkingMargin, kMarkingMargin)
                        .contains(cut))
            << "region " << region;
        for (int number = 1; number <= kStudents; ++number)
            EXPECT_EQ(picture(m_folder, paths::cutoutImage(region, number)),
                      sheet(number).copy(cut))
                << "region " << region << ", sheet " << number;
        EXPECT_FALSE(m_folder.exists(paths::cutoutImage(region, kStudents + 1)));
    }
}

void WholeRoad::assignTheRoster()
{
    roster::RosterWindow& rosterWindow = m_teacher->openRoster();
    EXPECT_EQ(rosterWindow.rowCount(), kStudents);
    EXPECT_EQ(rosterWindow.names(), QStringList(kStudents, QString()));

    m_teacher->loadRoster(m_folder.path(paths::sampleRoster()));
    EXPECT_EQ(m_teacher->dialogFolders(), QStringList{m_folder.path(paths::sampleFolder())});
    EXPECT_EQ(rosterWindow.names(), m_students.rosterNames());
    ASSERT_NE(rosterWindow.names(), m_students.namesInSheetOrder())
        << "the sample's sheets lie in a slightly different order than its roster";

    // Two neighbours' sheets lie the other way round: the first name goes in after the second.
    using sample_exam::SampleClass;
    m_teacher->selectRosterRow(SampleClass::kSwappedFirst);
    m_teacher->takeOutName();
    EXPECT_EQ(rosterWindow.findChild<QLineEdit*>(u"Text2"_s)->text(),
              m_students.rosterNames()[SampleClass::kSwappedFirst]);
    m_teacher->selectRosterRow(SampleClass::kSwappedSecond);
    m_teacher->insertName();
    EXPECT_EQ(rosterWindow.names(), m_students.namesInSheetOrder());
    EXPECT_FALSE(m_folder.exists(paths::rosterFile())) << "nothing is saved before the end";

    m_teacher->finishRoster();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_folder.readBytes(paths::rosterFile()),
              shiftJisLines(m_students.namesInSheetOrder()));
}

void WholeRoad::gradeTwoQuestions()
{
    m_teacher->openGrading();
    EXPECT_FALSE(m_window->isVisible());

    // Question 1: a Shift range gets full marks, one answer part marks, the rest nothing.
    m_teacher->chooseRegion(2);
    m_teacher->clickAnswer(1);
    m_teacher->shiftClickAnswer(4);
    m_teacher->pressScoreKey(6);
    m_teacher->clickAnswer(5);
    m_teacher->pressScoreKey(3);
    m_teacher->selectUnscored();
    m_teacher->pressScoreKey(1);
    // Question 2: two answers right, one with a comment and a point, three left ungraded.
    m_teacher->chooseRegion(3);
    m_teacher->clickAnswer(2);
    m_teacher->clickAnswer(3);
    m_teacher->pressScoreKey(6);
    m_teacher->clickAnswer(6);
    m_teacher->applyComment(u"途中式, 見直そう"_s);
    m_teacher->pressScoreKey(2);
    EXPECT_FALSE(m_folder.exists(paths::scoreFile())) << "nothing is saved before the end";

    m_teacher->finishGrading();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_teacher->messages().isEmpty());
    // With a roster, region 1 is the name field and scores 0 on every sheet.
    EXPECT_EQ(m_folder.readBytes(paths::scoreFile()),
              "0,5,\r\n0,5,5\r\n0,5,5\r\n0,5,\r\n0,2,\r\n0,0,1\r\n");
    EXPECT_EQ(m_folder.readBytes(paths::commentFile()),
              ",,\r\n,,\r\n,,\r\n,,\r\n,,\r\n" + shiftJisLines({u",,途中式、 見直そう"_s}));
}

void WholeRoad::computeTheResultsWithRanks()
{
    m_teacher->computeResults(steps::RankDisplay::Shown);
    EXPECT_EQ(m_teacher->messages(), QStringList{u"hyoukaフォルダに採点結果を保存しました"_s});

    const QStringList names = m_students.namesInSheetOrder();
    const QStringList expected = {
        u"氏名,合計,順位,領域1,領域2,領域3,"_s, u"\"%1\",5,3,0,5,"_s.arg(names[0]),
        u"\"%1\",10,1,0,5,5"_s.arg(names[1]),   u"\"%1\",10,1,0,5,5"_s.arg(names[2]),
        u"\"%1\",5,3,0,5,"_s.arg(names[3]),     u"\"%1\",2,5,0,2,"_s.arg(names[4]),
        u"\"%1\",1,6,0,0,1"_s.arg(names[5]),
    };
    EXPECT_EQ(m_folder.readBytes(paths::gradeTable()), shiftJisLines(expected));

    // The total and the rank stand in red at the top right; the scan has no such red.
    const QRect totalAndRank(1200, 15, 454, 190);
    for (int number = 1; number <= kStudents; ++number) {
        const QImage marked = picture(m_folder, paths::markedSheet(number));
        // The sheet surface a sheet is drawn on is a few pixels larger than the scan.
        ASSERT_TRUE(marked.rect().contains(QRect(QPoint(), sample_exam::SampleForm::kPageSize)));
        EXPECT_GT(redPixels(marked, totalAndRank), 500) << "sheet " << number;
        EXPECT_EQ(redPixels(sheet(number), totalAndRank), 0) << "sheet " << number;
    }
    EXPECT_FALSE(m_folder.exists(paths::markedSheet(kStudents + 1)));
    // Question 2's comment stands along the top of its box on sheet 6 only.
    const QRect commentLine = m_form.answerBox(1).adjusted(100, 0, 0, -80);
    EXPECT_GT(redPixels(picture(m_folder, paths::markedSheet(6)), commentLine), 200);
    EXPECT_EQ(redPixels(picture(m_folder, paths::markedSheet(5)), commentLine), 0);
}

void WholeRoad::browseTheMarkedSheets()
{
    auto* numberBox = m_window->findChild<QLineEdit*>(u"Text1"_s);
    m_teacher->showNextResult();
    m_teacher->showNextResult();
    EXPECT_EQ(numberBox->text(), u"2"_s);
    EXPECT_EQ(rgb(m_window->shownPicture()), picture(m_folder, paths::markedSheet(2)));
    m_teacher->showPreviousResult();
    EXPECT_EQ(numberBox->text(), u"1"_s);
    EXPECT_EQ(rgb(m_window->shownPicture()), picture(m_folder, paths::markedSheet(1)));
}

void WholeRoad::printEverySheet()
{
    QTemporaryDir printed;
    m_window->resultActions().setPrintDestination(
        results::PrintDestination::pdfFiles(printed.path()));
    m_teacher->printAllSheets(u"A4"_s, u"縦"_s);

    EXPECT_TRUE(m_teacher->messages().isEmpty())
        << m_teacher->messages().join(u"\n"_s).toStdString();
    const QStringList jobs = QDir(printed.path()).entryList({u"*.pdf"_s}, QDir::Files);
    ASSERT_EQ(jobs.size(), kStudents) << "one job per sheet";
    for (const QString& job : jobs) {
        QFile file(QDir(printed.path()).filePath(job));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray pdf = file.readAll();
        EXPECT_TRUE(pdf.startsWith("%PDF")) << job.toStdString();
        EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1) << job.toStdString();
    }
    EXPECT_EQ(rgb(m_window->shownPicture()), picture(m_folder, paths::markedSheet(kStudents)))
        << "the view follows the printing";
}

void WholeRoad::exportThePdfs()
{
    // The desktop would open the folder; here the teacher is told where it is.
    m_teacher->exportPdfs();
    const QString folder = QDir::toNativeSeparators(m_folder.path(paths::pdfFolder()));
    ASSERT_EQ(m_teacher->messages().size(), 2);
    EXPECT_EQ(m_teacher->messages()[0],
              u"%1個のPDFファイルを保存しました。\nフォルダ: %2"_s.arg(kStudents + 1).arg(folder));
    EXPECT_TRUE(m_teacher->messages()[1].contains(folder));

    const QStringList names = m_students.namesInSheetOrder();
    for (int number = 1; number <= kStudents; ++number) {
        const QFileInfo file(QDir(m_folder.path(paths::pdfFolder()))
                                 .filePath(steps::studentPdfName(number, names[number - 1])));
        ASSERT_TRUE(file.exists()) << file.fileName().toStdString();
        // A scanned A4 page with its marks, noise and all, fits an upload limit.
        EXPECT_LE(file.size(), 400 * 1024) << file.fileName().toStdString();
    }
    EXPECT_TRUE(m_folder.exists(paths::pdfFolder() + u"/全員.pdf"_s));
}

void WholeRoad::resetForNewMarking()
{
    const QByteArray scores = m_folder.readBytes(paths::scoreFile());
    m_teacher->resetWorkspace();
    EXPECT_EQ(m_teacher->messages(), QStringList{u"初期化しました"_s});
    EXPECT_TRUE(textFilesIn(m_folder, paths::dataFolder()).isEmpty());
    // The text data is kept aside, not lost; sheets, cut-outs and results stay.
    const QStringList backups =
        QDir(m_folder.path(u"ini/backup"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(backups.size(), 1);
    const QString backup = u"ini/backup/"_s + backups[0];
    EXPECT_EQ(textFilesIn(m_folder, backup),
              (QStringList{u"comment.txt"_s, u"haiten.txt"_s, u"meibo.txt"_s, u"zahyo.txt"_s}));
    EXPECT_EQ(m_folder.readBytes(backup + u"/haiten.txt"_s), scores);
    EXPECT_EQ(m_folder.workspace().sheetCount(), kStudents);
    EXPECT_TRUE(m_folder.exists(paths::cutoutImage(3, kStudents)));
    EXPECT_TRUE(m_folder.exists(paths::markedSheet(kStudents)));
    EXPECT_TRUE(m_folder.exists(paths::gradeTable()));
    EXPECT_EQ(m_window->regions().regionCount, 0);
}

} // namespace

TEST_F(WholeRoad, GradesTheSampleExaminationFromTheFirstButtonToTheLast)
{
    ASSERT_NO_FATAL_FAILURE(importTheSample());
    ASSERT_NO_FATAL_FAILURE(markThreeRegionsWithOneUndo());
    ASSERT_NO_FATAL_FAILURE(cutTheSheets());
    ASSERT_NO_FATAL_FAILURE(assignTheRoster());
    ASSERT_NO_FATAL_FAILURE(gradeTwoQuestions());
    ASSERT_NO_FATAL_FAILURE(computeTheResultsWithRanks());
    ASSERT_NO_FATAL_FAILURE(browseTheMarkedSheets());
    ASSERT_NO_FATAL_FAILURE(printEverySheet());
    ASSERT_NO_FATAL_FAILURE(exportThePdfs());
    ASSERT_NO_FATAL_FAILURE(resetForNewMarking());
    EXPECT_TRUE(m_teacher->unexpectedDialogs().isEmpty())
        << m_teacher->unexpectedDialogs().join(u", "_s).toStdString();
}
