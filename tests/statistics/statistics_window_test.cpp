// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_driver.h"
#include "statistics/rate_bar_delegate.h"
#include "statistics/statistics_window.h"
#include "statistics/totals_histogram.h"
#include "temporary_workspace.h"
#include "workspace/cp932.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using statistics::StatisticsWindow;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

QByteArray cp932Lines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += *workspace::cp932::encode(line) + "\r\n";
    return bytes;
}

// Three questions on four sheets: everybody has question 1 right, question 2 splits the class,
// and nobody reaches the 4 points question 3 is worth.
void writeGradedExam(const TemporaryWorkspace& folder)
{
    folder.writeBytes(paths::regionFile(),
                      cp932Lines({u"1,20,50,1"_s, u"1,40,50,21"_s, u"1,60,50,41"_s}));
    folder.writeBytes(paths::scoreFile(),
                      cp932Lines({u"5,2,1"_s, u"5,2,0"_s, u"5,0,0"_s, u"5,,1"_s}));
    folder.writeBytes(paths::viewpointFile(), cp932Lines({u"知識・技能,"_s, u","_s, u"自作,4"_s}));
}

void deleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void answerNextDialogWith(const QString& buttonText)
{
    test_support::onNextModal([buttonText](QWidget* dialog) {
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        dialog->close();
    });
}

QTableWidget* table(const StatisticsWindow& window)
{
    return window.findChild<QTableWidget*>(u"questionTable"_s);
}

template <typename Control> Control* cell(const StatisticsWindow& window, int row, int column)
{
    return qobject_cast<Control*>(table(window)->cellWidget(row, column));
}

QString text(const StatisticsWindow& window, int row, int column)
{
    return table(window)->item(row, column)->text();
}

} // namespace

TEST(StatisticsWindow, DoesNotOpenWithoutRegionsOrWithAFileItCannotRead)
{
    const struct {
        const char* name;
        QByteArray regions;
        QByteArray viewpoints;
        QString said;
    } cases[] = {
        {"no region file", {}, {}, u"「3.切り取り終了」"_s},
        {"no regions", "", {}, u"「3.切り取り終了」"_s},
        {"a malformed viewpoint file", "1,20,50,1\r\n", ",\r\n知識\r\n", u"kanten.txt」の2行目"_s},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryWorkspace folder;
        if (!testCase.regions.isNull())
            folder.writeBytes(paths::regionFile(), testCase.regions);
        if (!testCase.viewpoints.isNull())
            folder.writeBytes(paths::viewpointFile(), testCase.viewpoints);
        QWidget main;
        main.show();
        const auto messages = test_support::answerMessageBoxes();
        EXPECT_EQ(statistics::openStatisticsWindow(&main, folder.workspace()), nullptr);
        ASSERT_EQ(messages->texts.size(), 1);
        EXPECT_TRUE(messages->texts[0].contains(testCase.said)) << messages->texts[0].toStdString();
        EXPECT_TRUE(main.isVisible());
    }
}

TEST(StatisticsWindow, ShowsEachQuestionBesideItsViewpointAndHighlightsTheOnesToReview)
{
    TemporaryWorkspace folder;
    writeGradedExam(folder);
    folder.writeBytes(paths::rosterFile(), cp932Lines({u"A"_s, u"B"_s, u"C"_s, u"D"_s}));
    QWidget main;
    main.show();
    QPointer<StatisticsWindow> window = statistics::openStatisticsWindow(&main, folder.workspace());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(main.isVisible());

    ASSERT_EQ(table(*window)->rowCount(), 3);
    EXPECT_EQ(text(*window, 0, StatisticsWindow::QuestionColumn), u"問１（氏名欄）"_s);
    auto* viewpoint = cell<QComboBox>(*window, 0, StatisticsWindow::ViewpointColumn);
    EXPECT_EQ(viewpoint->currentText(), u"知識・技能"_s);
    for (const QString& choice :
         {u"知識・技能"_s, u"思考・判断・表現"_s, u"主体的に学習に取り組む態度"_s})
        EXPECT_GE(viewpoint->findText(choice), 0) << choice.toStdString();
    EXPECT_EQ(cell<QComboBox>(*window, 2, StatisticsWindow::ViewpointColumn)->currentText(),
              u"自作"_s);
    EXPECT_EQ(cell<QLineEdit>(*window, 1, StatisticsWindow::FullMarksColumn)->placeholderText(),
              u"最高点 2"_s);

    EXPECT_EQ(text(*window, 0, StatisticsWindow::SuccessRateColumn), u"100%"_s);
    EXPECT_EQ(table(*window)
                  ->item(0, StatisticsWindow::SuccessRateColumn)
                  ->data(statistics::RateBarDelegate::rateRole),
              1.0);
    EXPECT_TRUE(text(*window, 0, StatisticsWindow::HintColumn).contains(u"易しすぎ"_s));
    EXPECT_EQ(text(*window, 1, StatisticsWindow::SuccessRateColumn), u"50%"_s);
    EXPECT_EQ(text(*window, 1, StatisticsWindow::HintColumn), QString());
    EXPECT_EQ(table(*window)->item(1, StatisticsWindow::MeanColumn)->background(), QBrush());
    EXPECT_TRUE(
        text(*window, 2, StatisticsWindow::HintColumn).contains(u"配点や正答を見直してください"_s));
    EXPECT_NE(table(*window)->item(2, StatisticsWindow::MeanColumn)->background(), QBrush());

    int sheets = 0;
    for (const statistics::HistogramBin& bin :
         window->findChild<statistics::TotalsHistogram*>()->bins())
        sheets += bin.count;
    EXPECT_EQ(sheets, 4);

    // The statistics follow the full marks as they are typed.
    QTest::keyClicks(cell<QLineEdit>(*window, 0, StatisticsWindow::FullMarksColumn), u"10"_s);
    EXPECT_EQ(text(*window, 0, StatisticsWindow::SuccessRateColumn), u"0%"_s);
    EXPECT_EQ(text(*window, 0, StatisticsWindow::ScoreRateColumn), u"50%"_s);

    answerNextDialogWith(u"保存せずに閉じる"_s);
    window->close();
    deleteClosedWindows();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(main.isVisible());
}

TEST(StatisticsWindow, SavesViewpointsAndThresholdsAndAsksOnClosingAfterChanges)
{
    const QByteArray storedViewpoints = cp932Lines({u"知識・技能,"_s, u","_s, u"自作,4"_s});
    const struct {
        QString answer;
        bool staysOpen;
        QByteArray viewpoints;
        QByteArray thresholds; // null: not written
    } cases[] = {
        {u"戻る"_s, true, storedViewpoints, {}},
        {u"保存せずに閉じる"_s, false, storedViewpoints, {}},
        {u"保存して閉じる"_s, false,
         cp932Lines({u"知識・技能,5"_s, u"思考・判断・表現,"_s, u"自作,4"_s}), "85\r\n50\r\n"},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.answer.toStdString());
        TemporaryWorkspace folder;
        writeGradedExam(folder);
        QWidget main;
        main.show();
        QPointer<StatisticsWindow> window =
            statistics::openStatisticsWindow(&main, folder.workspace());
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->hasChanges());

        QTest::keyClicks(cell<QLineEdit>(*window, 0, StatisticsWindow::FullMarksColumn), u"5"_s);
        cell<QComboBox>(*window, 1, StatisticsWindow::ViewpointColumn)
            ->setCurrentText(u"思考・判断・表現"_s);
        window->findChild<QDoubleSpinBox*>(u"gradeAThreshold"_s)->setValue(85);

        answerNextDialogWith(testCase.answer);
        window->close();
        deleteClosedWindows();
        EXPECT_EQ(!window.isNull(), testCase.staysOpen);
        EXPECT_EQ(main.isVisible(), !testCase.staysOpen);
        EXPECT_EQ(folder.readBytes(paths::viewpointFile()), testCase.viewpoints);
        EXPECT_EQ(folder.exists(paths::gradeThresholdFile()), !testCase.thresholds.isNull());
        if (!testCase.thresholds.isNull()) {
            EXPECT_EQ(folder.readBytes(paths::gradeThresholdFile()), testCase.thresholds);
        }
        delete window.data();
    }
}

TEST(StatisticsWindow, RefusesToSaveFullMarksThatAreNoNumberAndClosesUnaskedWhenUnchanged)
{
    TemporaryWorkspace folder;
    folder.writeBytes(paths::regionFile(), "1,20,50,1\r\n1,40,50,21\r\n");
    QWidget main;
    QPointer<StatisticsWindow> window = statistics::openStatisticsWindow(&main, folder.workspace());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(table(*window)->isColumnHidden(StatisticsWindow::MeanColumn))
        << "no statistics before anything is graded";

    QLineEdit* fullMarks = cell<QLineEdit>(*window, 1, StatisticsWindow::FullMarksColumn);
    fullMarks->setText(u"五"_s);
    EXPECT_FALSE(fullMarks->styleSheet().isEmpty()) << "marked as wrong while typed";
    const auto messages = test_support::answerMessageBoxes();
    window->findChild<QPushButton*>(u"saveButton"_s)->click();
    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].contains(u"問2"_s)) << messages->texts[0].toStdString();
    EXPECT_FALSE(folder.exists(paths::viewpointFile()));

    fullMarks->setText(u"3"_s);
    window->findChild<QPushButton*>(u"saveButton"_s)->click();
    EXPECT_EQ(folder.readBytes(paths::viewpointFile()), ",\r\n,3\r\n");
    window->findChild<QPushButton*>(u"closeButton"_s)->click();
    deleteClosedWindows();
    EXPECT_TRUE(window.isNull()) << "closed without a question once saved";
}
