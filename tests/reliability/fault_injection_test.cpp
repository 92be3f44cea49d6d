// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_size_limit.h"
#include "modal_driver.h"
#include "temporary_workspace.h"
#include "workspace_files.h"

#include "grading/grading_window.h"
#include "grading/journal_recovery.h"
#include "grading/open_grading.h"
#include "main_window/main_window.h"
#include "roster/roster_window.h"
#include "steps/answer_cutting.h"
#include "steps/pdf_export.h"
#include "steps/result_computation.h"
#include "steps/sheet_import.h"
#include "workspace/region_file.h"
#include "workspace/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using main_window::MainWindow;
using test_support::FileSizeLimit;
using test_support::filesUnder;
using test_support::solidImage;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

// The disk fills up, or a file disappears or breaks, in the middle of a step. Every step must end
// with a message that names the file at fault instead of its success message, and every file
// that existed before must be its old version or its new one: never cut short, never a mix.

namespace {

// A picture whose rows differ, so that a truncated or shifted copy shows.
QImage gradient(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    return image;
}

void writeLines(const TemporaryWorkspace& folder, const QString& relative, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(folder.path(relative)).path());
    ASSERT_TRUE(workspace::writeTextLines(folder.path(relative), lines).ok());
}

// Cuts a file to its first half, as a copy interrupted by a removed stick leaves it.
void truncateToHalf(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
}

QStringList withPrefix(const QString& prefix, const QStringList& names)
{
    QStringList prefixed;
    for (const QString& name : names)
        prefixed.append(prefix + name);
    return prefixed;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

template <typename Control> Control* indexed(const QWidget* root, const QString& name, int index)
{
    for (Control* candidate : root->findChildren<Control*>(name))
        if (candidate->property("index").toInt() == index)
            return candidate;
    return nullptr;
}

// Picks a folder in the next folder dialog.
void chooseFolderInNextDialog(const QString& folder)
{
    test_support::onNextModal([folder](QWidget* dialog) {
        auto* folderDialog = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(folderDialog, nullptr);
        folderDialog->setDirectory(folder);
        static_cast<QDialog*>(folderDialog)->accept();
    });
}

QStringList clickAnswering(QPushButton* button, int messageCount)
{
    const auto answers = test_support::answerMessageBoxes(messageCount);
    button->click();
    return answers->texts;
}

QPushButton* mainButton(const MainWindow& window, const QString& name)
{
    return window.findChild<QPushButton*>(name);
}

void pressOnSheet(const MainWindow& window, QPoint pixel)
{
    QTest::mousePress(window.findChild<QWidget*>(u"Image1"_s), Qt::LeftButton, {}, pixel);
}

// Three sheets 400 × 566, three regions, scores and comments: ready for 6.採点実行.
void writeGradedExamination(const TemporaryWorkspace& folder)
{
    for (int sheet = 1; sheet <= 3; ++sheet)
        folder.writeImage(paths::sheetImage(sheet), gradient({400, 566}));
    writeLines(folder, paths::regionFile(),
               {u"20,70,380,30"_s, u"20,200,380,160"_s, u"20,330,380,290"_s});
    writeLines(folder, paths::scoreFile(), {u"1,2,3"_s, u"3,2,1"_s, u"0,0,5"_s});
    writeLines(folder, paths::commentFile(), {u"よい,,"_s, u",,"_s, u",惜しい,"_s});
}

} // namespace

TEST(DiskFull, ImportNamesTheScanThatDidNotFitAndAnnouncesNoSuccess)
{
    TemporaryWorkspace folder;
    folder.writeSheets(2, {40, 60});
    writeLines(folder, paths::scoreFile(), {u"1"_s});
    folder.writeImage(u"scans/a.jpg"_s, gradient({40, 60}));
    folder.writeImage(u"scans/b.jpg"_s, gradient({400, 600})); // 720 054 bytes as a sheet
    folder.writeImage(u"scans/c.jpg"_s, gradient({40, 60}));   // 7 254 bytes
    MainWindow window(folder.workspace());
    const QByteArray undoBefore = folder.readBytes(paths::undoNew());

    QStringList messages;
    {
        const FileSizeLimit fullDisk(100'000);
        chooseFolderInNextDialog(folder.path(u"scans"_s));
        messages = clickAnswering(mainButton(window, u"Command2"_s), 2);
    }

    ASSERT_FALSE(messages.isEmpty());
    const QString report = messages.last();
    EXPECT_TRUE(report.contains(u"b.jpg"_s)) << report.toStdString();
    EXPECT_TRUE(report.contains(u"2枚"_s)) << report.toStdString();
    // A short write records no error of its own; the reason must still say something useful.
    EXPECT_TRUE(report.contains(u"ディスクの空き"_s)) << report.toStdString();
    for (const QString& message : messages)
        EXPECT_FALSE(message.contains(u"読み込みました"_s)) << message.toStdString();
    // The two scans that fitted are sheets 1 and 2; the score file is kept in the backup.
    EXPECT_EQ(folder.workspace().sheetCount(), 2);
    EXPECT_EQ(QImage(folder.path(paths::sheetImage(2))).size(), QSize(40, 60));
    const QStringList backups =
        QDir(folder.path(u"ini/backup"_s)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(folder.readBytes(u"ini/backup/"_s + backups[0] + u"/haiten.txt"_s), "1\r\n");
    // The view of the last sheet could not be kept for undo: the old snapshot stays whole.
    EXPECT_EQ(folder.readBytes(paths::undoNew()), undoBefore);
    // The choice under the folder dialog is kept whole as well.
    EXPECT_EQ(folder.readBytes(paths::preferencesFile()),
              "drop_blank_pages=1\r\nregister_sheets=1\r\n");
    EXPECT_EQ(filesUnder(folder),
              sorted({u"touan/001.bmp"_s, u"touan/002.bmp"_s, u"undo_new.bmp"_s,
                      u"ini/backup/"_s + backups[0] + u"/haiten.txt"_s, u"scans/a.jpg"_s,
                      u"scans/b.jpg"_s, u"scans/c.jpg"_s, paths::preferencesFile()}));
    test_support::expectEveryPictureWhole(folder);
}

TEST(DiskFull, CuttingReportsTheCutOutsThatDidNotFitOrStopsBeforeDeletingAnything)
{
    const struct {
        const char* name;
        qint64 limit;
        QString named; // in the message
        bool regionsWritten;
    } cases[] = {
        // The small region's cut-outs fit, the large region's do not.
        {"full while cutting", 50'000, u"002/001.bmp"_s, true},
        // Nothing fits, not even the region file: nothing is cut and nothing deleted.
        {"full from the start", 0, u"zahyo.txt"_s, false},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        for (int sheet = 1; sheet <= 3; ++sheet)
            folder.writeImage(paths::sheetImage(sheet), gradient({400, 300}));
        writeLines(folder, paths::regionFile(), {u"1,2,3,0"_s});
        const QImage oldCutout = solidImage({5, 5}, Qt::green);
        for (const QString& old :
             {u"furiwake/001/001.bmp"_s, u"furiwake/002/001.bmp"_s, u"furiwake/003/001.bmp"_s})
            folder.writeImage(old, oldCutout);
        MainWindow window(folder.workspace());
        pressOnSheet(window, {20, 20});
        pressOnSheet(window, {40, 40});
        pressOnSheet(window, {20, 100});
        pressOnSheet(window, {700, 500});
        const QList<workspace::RegionRect> regions = window.regions().regions();
        ASSERT_EQ(regions.size(), 2);

        QStringList messages;
        {
            const FileSizeLimit fullDisk(testCase.limit);
            messages = clickAnswering(mainButton(window, u"Command3"_s), 1);
        }

        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(testCase.named)) << messages[0].toStdString();
        EXPECT_FALSE(messages[0].contains(u"完了"_s)) << messages[0].toStdString();
        const workspace::Expected<QList<workspace::RegionRect>> stored =
            workspace::readRegions(folder.path(paths::regionFile()));
        ASSERT_TRUE(stored);
        const QList<workspace::RegionRect> oldRegions{{1, 2, 3, 0}};
        EXPECT_EQ(*stored, testCase.regionsWritten ? regions : oldRegions);
        QStringList cutouts = withPrefix(u"furiwake/"_s, {u"003/001.bmp"_s});
        if (testCase.regionsWritten) {
            // Region 1 cut anew on every sheet; region 2 emptied for its new cut-outs, which did
            // not fit; region 3, no longer marked, left alone.
            cutouts += withPrefix(u"furiwake/001/"_s, {u"001.bmp"_s, u"002.bmp"_s, u"003.bmp"_s});
            EXPECT_EQ(QImage(folder.path(paths::cutoutImage(1, 3))).size(),
                      QSize(regions[0].width(), regions[0].height()));
        } else {
            cutouts += withPrefix(u"furiwake/"_s, {u"001/001.bmp"_s, u"002/001.bmp"_s});
            EXPECT_EQ(
                QImage(folder.path(paths::cutoutImage(2, 1))).convertToFormat(QImage::Format_RGB32),
                oldCutout);
        }
        EXPECT_EQ(filesUnder(folder),
                  sorted(cutouts
                         + QStringList{u"ini/zahyo.txt"_s, u"touan/001.bmp"_s, u"touan/002.bmp"_s,
                                       u"touan/003.bmp"_s, u"undo_new.bmp"_s, u"undo_old.bmp"_s}));
        test_support::expectEveryPictureWhole(folder);
    }
}

TEST(DiskFull, ResultComputationNamesTheFileThatDidNotFitAndKeepsTheOldGradeTableWhole)
{
    const struct {
        const char* name;
        qint64 limit;
        QString named;
        bool tableWritten;
    } cases[] = {
        // The grade table fits, the marked sheets do not.
        {"full while drawing", 50'000, u"hyouka/"_s, true},
        {"full from the start", 0, u"seiseki.csv"_s, false},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        writeGradedExamination(folder);
        folder.writeBytes(paths::gradeTable(), "previous table\r\n");
        MainWindow window(folder.workspace());

        QStringList messages;
        {
            const FileSizeLimit fullDisk(testCase.limit);
            messages = clickAnswering(mainButton(window, u"Command5"_s), 1);
        }

        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(testCase.named)) << messages[0].toStdString();
        EXPECT_FALSE(messages[0].contains(steps::savedMessage()));
        const QByteArray table = folder.readBytes(paths::gradeTable());
        if (testCase.tableWritten) {
            EXPECT_TRUE(table.startsWith("\x8E\x81\x96\xBC,")) << "氏名 in Shift-JIS";
            EXPECT_TRUE(table.endsWith(",0,0,5\r\n"));
        } else {
            EXPECT_EQ(table, "previous table\r\n");
        }
        QStringList files{u"ini/comment.txt"_s, u"ini/haiten.txt"_s, u"ini/zahyo.txt"_s,
                          u"seiseki.csv"_s,     u"touan/001.bmp"_s,  u"touan/002.bmp"_s,
                          u"touan/003.bmp"_s,   u"undo_new.bmp"_s};
        // The statistics table fits where the grade table does, and is then whole.
        if (testCase.tableWritten) {
            files.append(u"toukei.csv"_s);
            const QByteArray statistics = folder.readBytes(paths::statisticsTable());
            EXPECT_TRUE(statistics.contains("\r\n\x91\x53\x91\xCC,")) << "全体 in Shift-JIS";
            EXPECT_TRUE(statistics.endsWith("\r\n"));
        }
        EXPECT_EQ(filesUnder(folder), sorted(files));
    }
}

TEST(DiskFull, PdfExportNamesTheFileThatDidNotFitAndLeavesNoPartOfIt)
{
    TemporaryWorkspace probe;
    probe.writeImage(paths::markedSheet(1), gradient({400, 566}));
    const workspace::Expected<steps::PdfPage> page = steps::markedSheetPage(probe.workspace(), 1);
    ASSERT_TRUE(page);
    const struct {
        const char* name;
        qint64 limit;
        QString named;
        QStringList written;
    } cases[] = {
        // Room for a student's page, not for the class's three.
        {"full at the class file",
         2 * page->jpeg.size(),
         u"全員.pdf"_s,
         {u"pdf/001.pdf"_s, u"pdf/002.pdf"_s, u"pdf/003.pdf"_s}},
        {"full from the start", 0, u"001.pdf"_s, {}},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        for (int sheet = 1; sheet <= 3; ++sheet)
            folder.writeImage(paths::markedSheet(sheet), gradient({400, 566}));
        MainWindow window(folder.workspace());

        QStringList messages;
        {
            const FileSizeLimit fullDisk(testCase.limit);
            messages = clickAnswering(mainButton(window, u"cmdPdf"_s), 1);
        }

        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(testCase.named)) << messages[0].toStdString();
        EXPECT_FALSE(messages[0].contains(u"保存しました"_s)) << messages[0].toStdString();
        EXPECT_EQ(filesUnder(folder), sorted(testCase.written
                                             + QStringList{u"hyouka/001.bmp"_s, u"hyouka/002.bmp"_s,
                                                           u"hyouka/003.bmp"_s}));
        for (const QString& written : testCase.written)
            EXPECT_TRUE(folder.readBytes(written).endsWith("%%EOF\n")) << written.toStdString();
    }
}

namespace {

class GradingUnderFault : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int sheet = 1; sheet <= 3; ++sheet)
            m_folder.writeImage(paths::sheetImage(sheet), solidImage({4, 4}, Qt::white));
        writeLines(m_folder, paths::regionFile(), {u"10,40,70,20"_s, u"10,90,70,60"_s});
        writeLines(m_folder, paths::scoreFile(), {u"1,"_s, u","_s, u",2"_s});
        writeLines(m_folder, paths::commentFile(), {u","_s, u","_s, u","_s});
        m_main.show();
        m_window = grading::openGradingWindow(m_folder.workspace(), &m_main);
        ASSERT_NE(m_window, nullptr);
        QTest::mouseClick(indexed<QLabel>(m_window, u"Label1"_s, 0), Qt::LeftButton);
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->setAttribute(Qt::WA_DeleteOnClose, false);
            delete m_window.data();
        }
    }

    QStringList finish()
    {
        return clickAnswering(
            m_window->findChild<QWidget*>(u"Picture3"_s)->findChild<QPushButton*>(u"Command1"_s),
            1);
    }

    TemporaryWorkspace m_folder;
    QWidget m_main;
    QPointer<grading::GradingWindow> m_window;
};

} // namespace

TEST_F(GradingUnderFault, FinishingOnAFullDiskKeepsBothFilesOldAndTheWindowOpen)
{
    const QByteArray scores = m_folder.readBytes(paths::scoreFile());
    const QByteArray comments = m_folder.readBytes(paths::commentFile());
    indexed<QLineEdit>(m_window, u"txtPoint"_s, 1)->setText(u"5"_s);
    // A comment long enough that the new score file fits and the new comment file does not.
    indexed<QLineEdit>(m_window, u"txtMemo"_s, 1)->setText(QString(100, u'よ'));

    for (const qint64 limit : {0, 100}) {
        SCOPED_TRACE(limit);
        QStringList messages;
        {
            const FileSizeLimit fullDisk(limit);
            messages = finish();
        }
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(u"haiten.txt"_s) || messages[0].contains(u"comment.txt"_s))
            << messages[0].toStdString();
        EXPECT_TRUE(m_window->isVisible());
        EXPECT_EQ(m_folder.readBytes(paths::scoreFile()), scores);
        EXPECT_EQ(m_folder.readBytes(paths::commentFile()), comments);
    }

    EXPECT_TRUE(finish().isEmpty());
    EXPECT_TRUE(m_window.isNull() || !m_window->isVisible());
    EXPECT_EQ(m_folder.readBytes(paths::scoreFile()), "1,\r\n5,\r\n,2\r\n");
}

TEST_F(GradingUnderFault, ADataFolderReplacedByAFileWhileGradingLosesNoMark)
{
    indexed<QLineEdit>(m_window, u"txtPoint"_s, 2)->setText(u"4"_s);
    const QString data = m_folder.path(paths::dataFolder());
    const QString aside = m_folder.path(u"ini-aside"_s);
    ASSERT_TRUE(QDir().rename(data, aside));
    m_folder.writeBytes(paths::dataFolder(), "not a folder");

    const QStringList messages = finish();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"haiten.txt"_s)) << messages[0].toStdString();
    EXPECT_TRUE(m_window->isVisible());

    ASSERT_TRUE(QFile::remove(data));
    ASSERT_TRUE(QDir().rename(aside, data));
    EXPECT_TRUE(finish().isEmpty());
    EXPECT_EQ(m_folder.readBytes(paths::scoreFile()), "1,\r\n,\r\n4,2\r\n");
}

TEST_F(GradingUnderFault, AJournalTheDiskCannotTakeIsReportedOnceAndWrittenWholeOnceItCan)
{
    const auto type = [this](int index, const QString& text) {
        indexed<QLineEdit>(m_window, u"txtPoint"_s, index)->setText(text);
    };
    type(1, u"5"_s);
    const qint64 size = m_folder.readBytes(paths::journalFile()).size();
    QStringList messages;
    {
        // Room for neither the next record nor the journal written anew.
        const FileSizeLimit fullDisk(size + 10);
        const auto answers = test_support::answerMessageBoxes(2);
        type(2, u"4"_s);
        type(1, u"3"_s);
        messages = answers->texts;
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"kiroku.txt"_s)) << messages[0].toStdString();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(m_window->state().tables().score(3, 1), u"4"_s);

    type(2, u"1"_s);
    const grading::JournalFindings findings =
        grading::inspectJournal(m_folder.workspace(), m_window->state().savedTables());
    EXPECT_EQ(findings.recovery.problem, grading::JournalProblem::None);
    EXPECT_EQ(findings.recovery.changes,
              m_window->state().savedTables().changesTo(m_window->state().tables()));
    EXPECT_EQ(findings.recovery.changedAnswers, 2);
}

TEST(RosterUnderFault, FinishingOnAFullDiskOrWithoutTheDataFolderKeepsTheOldRosterAndTheWindow)
{
    const struct {
        const char* name;
        std::function<void(const TemporaryWorkspace&)> spoil;
        std::function<void(const TemporaryWorkspace&)> repair;
        qint64 limit; // none when negative
        QString named;
    } cases[] = {
        {"a full disk", [](auto&) {}, [](auto&) {}, 0, u"meibo.txt"_s},
        {"the data folder replaced by a file",
         [](const TemporaryWorkspace& folder) {
             QDir().rename(folder.path(u"ini"_s), folder.path(u"ini-aside"_s));
             folder.writeBytes(u"ini"_s, "not a folder");
         },
         [](const TemporaryWorkspace& folder) {
             QFile::remove(folder.path(u"ini"_s));
             QDir().rename(folder.path(u"ini-aside"_s), folder.path(u"ini"_s));
         },
         -1, u"ini"_s},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        for (int sheet = 1; sheet <= 3; ++sheet)
            folder.writeImage(paths::cutoutImage(1, sheet), solidImage({60, 20}, Qt::white));
        folder.writeBytes(paths::rosterFile(), "A\r\nB\r\nC\r\n");
        roster::RosterWindow window(folder.workspace());
        window.show();
        indexed<QLineEdit>(&window, u"Text1"_s, 1)->setText(u"山田"_s);
        testCase.spoil(folder);

        QStringList messages;
        {
            std::optional<FileSizeLimit> fullDisk;
            if (testCase.limit >= 0)
                fullDisk.emplace(testCase.limit);
            messages = clickAnswering(window.findChild<QPushButton*>(u"Command4"_s), 1);
        }
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(testCase.named)) << messages[0].toStdString();
        EXPECT_TRUE(window.isVisible());
        testCase.repair(folder);
        EXPECT_EQ(folder.readBytes(paths::rosterFile()), "A\r\nB\r\nC\r\n");

        EXPECT_TRUE(clickAnswering(window.findChild<QPushButton*>(u"Command4"_s), 0).isEmpty());
        EXPECT_EQ(folder.readBytes(paths::rosterFile()), "A\r\n\x8E\x52\x93\x63\r\nC\r\n");
    }
}

TEST(InputLostMidStep, ImportSkipsAScanDeletedOrCutShortAfterListingAndNamesIt)
{
    TemporaryWorkspace folder;
    for (const QString& name : {u"a.jpg"_s, u"b.jpg"_s, u"c.bmp"_s, u"d.jpg"_s})
        folder.writeImage(u"scans/"_s + name, gradient({30, 20}));
    steps::SheetImport import(folder.workspace(), folder.path(u"scans"_s));
    ASSERT_TRUE(import.prepare(QDateTime::currentDateTime()).ok());
    ASSERT_EQ(import.pages().size(), 4);

    ASSERT_TRUE(QFile::remove(folder.path(u"scans/b.jpg"_s)));
    truncateToHalf(folder.path(u"scans/c.bmp"_s));
    QList<workspace::Status> results;
    for (int index = 0; index < 4; ++index)
        results.append(import.convert(index));
    const steps::ImportOutcome outcome = import.finish(results);

    EXPECT_EQ(outcome.sheetCount, 2);
    ASSERT_EQ(outcome.skipped.size(), 2);
    EXPECT_TRUE(outcome.skipped[0].contains(u"b.jpg"_s)) << outcome.skipped[0].toStdString();
    EXPECT_TRUE(outcome.skipped[1].contains(u"c.bmp"_s)) << outcome.skipped[1].toStdString();
    EXPECT_TRUE(outcome.notStored.isEmpty());
    EXPECT_EQ(filesUnder(folder), sorted({u"scans/a.jpg"_s, u"scans/c.bmp"_s, u"scans/d.jpg"_s,
                                          u"touan/001.bmp"_s, u"touan/002.bmp"_s}));
    test_support::expectEveryPictureWhole(folder, u"touan/"_s);
}

TEST(InputLostMidStep, CuttingNamesASheetDeletedOrCutShortAfterCountingAndCutsTheRest)
{
    TemporaryWorkspace folder;
    for (int sheet = 1; sheet <= 4; ++sheet)
        folder.writeImage(paths::sheetImage(sheet), gradient({100, 80}));
    const QList<workspace::RegionRect> regions{{5, 30, 60, 10}, {5, 70, 90, 40}};
    steps::AnswerCutting cutting(folder.workspace(), regions);
    ASSERT_TRUE(cutting.prepare().ok());
    ASSERT_EQ(cutting.sheetCount(), 4);

    ASSERT_TRUE(QFile::remove(folder.path(paths::sheetImage(2))));
    truncateToHalf(folder.path(paths::sheetImage(3)));
    QList<workspace::Status> results;
    for (int index = 0; index < 4; ++index)
        results.append(cutting.cut(index));

    EXPECT_TRUE(results[0].ok());
    EXPECT_TRUE(results[1].error().contains(u"002.bmp"_s)) << results[1].error().toStdString();
    EXPECT_TRUE(results[2].error().contains(u"003.bmp"_s)) << results[2].error().toStdString();
    EXPECT_TRUE(results[3].ok());
    EXPECT_EQ(filesUnder(folder),
              sorted({u"furiwake/001/001.bmp"_s, u"furiwake/001/004.bmp"_s,
                      u"furiwake/002/001.bmp"_s, u"furiwake/002/004.bmp"_s, u"touan/001.bmp"_s,
                      u"touan/003.bmp"_s, u"touan/004.bmp"_s}));
    EXPECT_EQ(QImage(folder.path(paths::cutoutImage(2, 4))).size(), QSize(85, 30));
}

TEST(InputLostMidStep, ResultComputationNamesASheetLostWhileDrawingAndStillWritesTheTable)
{
    const struct {
        const char* name;
        std::function<void(const QString& sheet)> spoil;
    } cases[] = {
        {"deleted", [](const QString& sheet) { QFile::remove(sheet); }},
        {"cut short", [](const QString& sheet) { truncateToHalf(sheet); }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        writeGradedExamination(folder);
        const QString sheet = folder.path(paths::sheetImage(2));
        // The sheet is lost after every input was read and checked, as the drawing begins.
        const steps::ResultOutcome outcome =
            steps::computeResults(folder.workspace(), steps::RankDisplay::Shown, QSize(400, 566),
                                  [&](int count, const workspace::IndexedWork& work) {
                                      testCase.spoil(sheet);
                                      return workspace::runInParallel(count, work);
                                  });

        EXPECT_EQ(outcome.status, steps::ResultStatus::Failed);
        EXPECT_TRUE(outcome.message.contains(u"002.bmp"_s)) << outcome.message.toStdString();
        EXPECT_FALSE(outcome.message.contains(steps::savedMessage()));
        const workspace::Expected<QStringList> table =
            workspace::readTextLines(folder.path(paths::gradeTable()), 10);
        ASSERT_TRUE(table);
        EXPECT_EQ(table->size(), 4);
        EXPECT_FALSE(folder.exists(paths::markedSheet(2)));
        test_support::expectEveryPictureWhole(folder, u"hyouka/"_s);
    }
}
