// SPDX-License-Identifier: GPL-3.0-or-later
#include "exam_fixture.h"
#include "grading/grading_journal.h"
#include "grading/grading_window.h"
#include "grading/open_grading.h"
#include "modal_driver.h"
#include "temporary_workspace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using grading::GradingWindow;
using grading_test::Exam;
using grading_test::regionOfSize;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

const QList<workspace::RegionRect> kTwoRegions = {regionOfSize(60, 30), regionOfSize(40, 20)};

QWidget* control(const QWidget* window, const QString& name, int index)
{
    for (QWidget* candidate : window->findChildren<QWidget*>(name))
        if (candidate->property("index").toInt() == index)
            return candidate;
    return nullptr;
}

// Opens the grading window, answering the restore question with `answer` (the default button
// when empty) and keeping the texts of the message boxes it shows.
QPointer<GradingWindow> openAnswering(const TemporaryWorkspace& folder, QWidget* main,
                                      const QString& answer, QStringList& messages)
{
    // Lives no longer than the opening, so that it never answers a later box.
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        messages.append(box->text());
        for (QAbstractButton* button : box->buttons())
            if (answer.isEmpty() ? button == box->defaultButton() : button->text() == answer) {
                button->click();
                return;
            }
        box->buttons().front()->click();
    });
    driver.start(10);
    return grading::openGradingWindow(folder.workspace(), main);
}

QByteArray savedBy(const GradingWindow& window)
{
    TemporaryWorkspace check;
    QDir().mkpath(check.path(paths::dataFolder()));
    EXPECT_TRUE(window.state().tables().save(check.workspace()));
    return check.readBytes(paths::scoreFile()) + "|" + check.readBytes(paths::commentFile());
}

void closeAndDelete(QPointer<GradingWindow>& window)
{
    if (!window)
        return;
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    delete window.data();
}

} // namespace

TEST(GradingRecovery, AKilledGradingIsRestoredExactlyAsItWasShownAndStaysUnsaved)
{
    for (const QString& step : {u"bulk"_s, u"all"_s}) {
        SCOPED_TRACE(step.toStdString());
        TemporaryWorkspace folder;
        TemporaryWorkspace shown;
        Exam(6, kTwoRegions).scores({u",1"_s, u",2"_s}).cutouts().write(folder);
        const QByteArray savedScores = folder.readBytes(paths::scoreFile());

        QProcess child;
        child.start(QStringLiteral(MARUTSUKE_TEST_CHILD),
                    {u"grade"_s, folder.workspace().root(), shown.workspace().root(), step});
        ASSERT_TRUE(child.waitForStarted());
        while (!child.canReadLine() && child.state() == QProcess::Running)
            child.waitForReadyRead(30000);
        ASSERT_EQ(child.readLine(), "ready\n") << child.readAllStandardError().toStdString();
        child.kill();
        ASSERT_TRUE(child.waitForFinished());
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);

        QWidget main;
        QStringList messages;
        QPointer<GradingWindow> window = openAnswering(folder, &main, {}, messages);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(step == u"bulk" ? u"答案4件"_s : u"答案9件"_s))
            << messages[0].toStdString();
        EXPECT_EQ(savedBy(*window), shown.readBytes(paths::scoreFile()) + "|"
                                        + shown.readBytes(paths::commentFile()));
        EXPECT_TRUE(window->state().hasChanges());
        EXPECT_EQ(folder.readBytes(paths::scoreFile()), savedScores);
        closeAndDelete(window);

        // The restored changes are in the journal again, for another crash.
        QStringList again;
        window = openAnswering(folder, &main, {}, again);
        EXPECT_EQ(again.size(), 1);
        EXPECT_EQ(savedBy(*window), shown.readBytes(paths::scoreFile()) + "|"
                                        + shown.readBytes(paths::commentFile()));
        closeAndDelete(window);
    }
}

TEST(GradingRecovery, DecliningFinishingOrDiscardingEmptiesTheJournal)
{
    const struct {
        const char* what;
        std::function<void(GradingWindow&)> end;
        QByteArray scores;
    } cases[] = {
        {"finished",
         [](GradingWindow& window) {
             QTest::mouseClick(
                 window.findChild<QWidget*>(u"Picture3"_s)->findChild<QWidget*>(u"Command1"_s),
                 Qt::LeftButton);
         },
         "17,\r\n,\r\n"},
        {"closed without saving",
         [](GradingWindow& window) {
             test_support::onNextModal([](QWidget* dialog) {
                 for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                     if (button->text() == u"保存せずに閉じる")
                         button->click();
             });
             window.close();
         },
         "1,\r\n,\r\n"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        TemporaryWorkspace folder;
        Exam(2, kTwoRegions).scores({u"1,"_s, u","_s}).write(folder);
        QWidget main;
        QStringList messages;
        QPointer<GradingWindow> window = openAnswering(folder, &main, {}, messages);
        QTest::mouseClick(control(window, u"Label1"_s, 0), Qt::LeftButton);
        QTest::keyClicks(control(window, u"txtPoint"_s, 0), u"7"_s);
        EXPECT_TRUE(folder.exists(paths::journalFile()));
        test.end(*window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(window.isNull());
        EXPECT_FALSE(folder.exists(paths::journalFile()));
        EXPECT_EQ(folder.readBytes(paths::scoreFile()), test.scores);
    }

    // Declining a restore opens the saved files and empties the journal.
    TemporaryWorkspace folder;
    Exam(2, kTwoRegions).scores({u"1,"_s, u","_s}).write(folder);
    QWidget main;
    QStringList messages;
    QPointer<GradingWindow> window = openAnswering(folder, &main, {}, messages);
    QTest::mouseClick(control(window, u"Label1"_s, 0), Qt::LeftButton);
    QTest::keyClicks(control(window, u"txtPoint"_s, 1), u"2"_s);
    closeAndDelete(window);
    window = openAnswering(folder, &main, u"復元しない"_s, messages);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(window->state().tables().score(2, 1), QString());
    EXPECT_FALSE(window->state().hasChanges());
    EXPECT_FALSE(folder.exists(paths::journalFile()));
    closeAndDelete(window);
}
