// SPDX-License-Identifier: GPL-3.0-or-later
#include "modal_driver.h"
#include "results/print_settings.h"
#include "results/print_settings_dialog.h"
#include "results/print_step.h"
#include "results/sheet_printing.h"
#include "temporary_workspace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using results::PrintDestination;
using results::PrintScope;
using results::PrintSettings;
using test_support::TemporaryWorkspace;

namespace {

// The page size of every page of a PDF file, in points, from its /MediaBox entries.
QList<QSize> pdfPageSizes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromLatin1(file.readAll());
    QList<QSize> sizes;
    static const QRegularExpression mediaBox(u"/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"_s);
    for (const QRegularExpressionMatch& match : mediaBox.globalMatch(text))
        sizes.append(
            QSize(qRound(match.captured(1).toDouble()), qRound(match.captured(2).toDouble())));
    return sizes;
}

QStringList pdfFiles(const QString& folder)
{
    return QDir(folder).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name);
}

// Sets the dialog's controls and presses one of its buttons.
void answerPrintDialog(bool onlyShown, const QString& paper, const QString& orientation,
                       const QString& button = u"Command1"_s)
{
    test_support::onNextModal([=](QWidget* dialog) {
        dialog->findChild<QCheckBox*>(u"Check1"_s)->setChecked(onlyShown);
        dialog->findChild<QComboBox*>(u"Combo1"_s)->setCurrentText(paper);
        dialog->findChild<QComboBox*>(u"Combo2"_s)->setCurrentText(orientation);
        dialog->findChild<QPushButton*>(button)->click();
    });
}

} // namespace

TEST(PrintFit, ScalesByTheSmallerRatioAndRoundsHalvesToEven)
{
    const struct {
        QSize sheet;
        QSizeF page;
        QSize printed;
    } cases[] = {
        {{24810, 35085}, {11000, 15500}, {10961, 15500}}, // portrait A4: the height decides
        {{24810, 35085}, {15500, 11000}, {7779, 11000}},  // landscape: the height again
        {{35085, 24810}, {11000, 15500}, {11000, 7779}},  // a landscape sheet on portrait
        {{100, 100}, {250, 300}, {250, 250}},             // equal ratios take the width's
        {{200, 100}, {5, 1000}, {5, 2}},                  // 2.5 → 2
        {{0, 100}, {11000, 15500}, {}},
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(results::printedSizeTwips(testCase.sheet, testCase.page), testCase.printed);
    EXPECT_EQ(results::sheetTwips({1654, 2339}), QSize(24810, 35085));
}

TEST(PrintSettings, ListItemsMapToPaperAndOrientation)
{
    const struct {
        QString item;
        QPageSize::PageSizeId page;
    } papers[] = {
        {u"A4"_s, QPageSize::A4},
        {u"A3"_s, QPageSize::A3},
        {u"B4"_s, QPageSize::JisB4},
        {u"B5"_s, QPageSize::JisB5},
    };
    for (const auto& paper : papers)
        EXPECT_EQ(results::paperForItem(paper.item)->id(), paper.page);
    EXPECT_EQ(results::paperForItem(u"B4")->size(QPageSize::Millimeter), QSizeF(257, 364));
    EXPECT_EQ(results::paperForItem(u"B5")->size(QPageSize::Millimeter), QSizeF(182, 257));
    EXPECT_EQ(results::paperForItem(u"Letter"), std::nullopt);

    EXPECT_EQ(results::orientationForItem(u"縦"), QPageLayout::Portrait);
    EXPECT_EQ(results::orientationForItem(u"横"), QPageLayout::Landscape);
    EXPECT_EQ(results::orientationForItem(u"斜め"), std::nullopt);
}

TEST(PrintSettingsDialog, OpensWithItsDesignAndTheFirstItemsEveryTime)
{
    results::PrintSettingsDialog dialog;
    EXPECT_EQ(dialog.objectName(), u"Form5"_s);
    EXPECT_EQ(dialog.windowTitle(), u"印刷設定"_s);
    EXPECT_EQ(dialog.size(), QSize(312, 213));
    auto* check = dialog.findChild<QCheckBox*>(u"Check1"_s);
    EXPECT_EQ(check->text(), u"表示中の答案のみ印刷"_s);
    EXPECT_FALSE(check->isChecked());
    auto* papers = dialog.findChild<QComboBox*>(u"Combo1"_s);
    EXPECT_EQ(papers->currentText(), u"A4"_s);
    EXPECT_EQ(papers->count(), 4);
    EXPECT_EQ(papers->itemText(3), u"B5"_s);
    auto* orientations = dialog.findChild<QComboBox*>(u"Combo2"_s);
    EXPECT_EQ(orientations->currentText(), u"横"_s);
    EXPECT_EQ(orientations->itemText(1), u"縦"_s);
    EXPECT_EQ(dialog.findChild<QPushButton*>(u"Command1"_s)->text(), u"実行"_s);
    EXPECT_EQ(dialog.findChild<QPushButton*>(u"Command2"_s)->text(), u"キャンセル"_s);
}

TEST(PrintSettingsDialog, RunGivesTheChoicesAndCancelGivesNothing)
{
    answerPrintDialog(true, u"B4"_s, u"縦"_s);
    EXPECT_EQ(results::askPrintSettings(nullptr),
              (PrintSettings{PrintScope::ShownPicture, QPageSize(QPageSize::JisB4),
                             QPageLayout::Portrait}));

    // The second opening starts again from A4, 横 and a clear check box.
    test_support::onNextModal([](QWidget* dialog) {
        EXPECT_FALSE(dialog->findChild<QCheckBox*>(u"Check1"_s)->isChecked());
        EXPECT_EQ(dialog->findChild<QComboBox*>(u"Combo1"_s)->currentText(), u"A4"_s);
        dialog->findChild<QPushButton*>(u"Command2"_s)->click();
    });
    EXPECT_EQ(results::askPrintSettings(nullptr), std::nullopt);

    answerPrintDialog(false, u"A3"_s, u"横"_s);
    EXPECT_EQ(results::askPrintSettings(nullptr),
              (PrintSettings{PrintScope::MarkedSheets, QPageSize(QPageSize::A3),
                             QPageLayout::Landscape}));

    test_support::onNextModal([](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(results::askPrintSettings(nullptr), std::nullopt) << "the close box cancels";
}

TEST(SheetPrinting, EachSheetIsAJobOfItsOwnOnTheChosenPaper)
{
    constexpr auto kPortrait = QPageLayout::Portrait;
    constexpr auto kLandscape = QPageLayout::Landscape;
    const struct {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        QSize points;
    } cases[] = {
        {QPageSize::A4, kPortrait, {595, 842}},     {QPageSize::A4, kLandscape, {842, 595}},
        {QPageSize::A3, kPortrait, {842, 1191}},    {QPageSize::JisB4, kPortrait, {729, 1032}},
        {QPageSize::JisB5, kLandscape, {729, 516}},
    };
    const QImage sheet = test_support::solidImage({1654, 2339}, Qt::gray);
    QTemporaryDir output;
    PrintDestination destination = PrintDestination::pdfFiles(output.path());
    for (const auto& testCase : cases)
        ASSERT_TRUE(results::printSheet(
                        destination, sheet,
                        {PrintScope::MarkedSheets, QPageSize(testCase.paper), testCase.orientation},
                        u"hyouka/001.bmp"_s)
                        .ok());

    ASSERT_EQ(pdfFiles(output.path()).size(), std::size(cases));
    int job = 0;
    for (const auto& testCase : cases) {
        ++job;
        EXPECT_EQ(pdfPageSizes(QDir(output.path()).filePath(u"%1.pdf"_s.arg(job))),
                  QList<QSize>{testCase.points})
            << "job " << job;
    }
}

TEST(PrintStep, PrintsEveryMarkedSheetInNameOrderWithTheViewFollowing)
{
    TemporaryWorkspace folder;
    const QList<QColor> colors = {Qt::red, Qt::green, Qt::blue};
    for (int sheet = 3; sheet >= 1; --sheet)
        folder.writeImage(workspace::paths::markedSheet(sheet),
                          test_support::solidImage({200, 283}, colors[sheet - 1]));
    QTemporaryDir output;
    PrintDestination destination = PrintDestination::pdfFiles(output.path());
    PrintSettings settings;
    QList<QColor> shown;

    answerPrintDialog(false, u"A4"_s, u"縦"_s);
    results::runPrintStep(nullptr, folder.workspace(), settings, destination, QImage(),
                          [&](const QImage& picture) { shown.append(picture.pixelColor(0, 0)); });

    EXPECT_EQ(shown, colors);
    EXPECT_EQ(pdfFiles(output.path()), (QStringList{u"1.pdf"_s, u"2.pdf"_s, u"3.pdf"_s}));
    EXPECT_EQ(pdfPageSizes(QDir(output.path()).filePath(u"3.pdf"_s)),
              QList<QSize>{QSize(595, 842)});
}

TEST(PrintStep, OnlyTheShownPictureOrNothing)
{
    TemporaryWorkspace folder;
    folder.writeImage(workspace::paths::markedSheet(1),
                      test_support::solidImage({20, 20}, Qt::red));
    const auto run = [&](bool onlyShown, const QString& button, const QImage& shownPicture) {
        QTemporaryDir output;
        PrintDestination destination = PrintDestination::pdfFiles(output.path());
        PrintSettings settings;
        int shownCount = 0;
        answerPrintDialog(onlyShown, u"A4"_s, u"横"_s, button);
        results::runPrintStep(nullptr, folder.workspace(), settings, destination, shownPicture,
                              [&](const QImage&) { ++shownCount; });
        EXPECT_EQ(shownCount, 0);
        return pdfFiles(output.path()).size();
    };
    EXPECT_EQ(run(true, u"Command1"_s, test_support::solidImage({30, 40}, Qt::blue)), 1);
    EXPECT_EQ(run(false, u"Command2"_s, QImage()), 0) << "cancelled";

    const std::shared_ptr<test_support::MessageLog> messages = test_support::answerMessageBoxes();
    EXPECT_EQ(run(true, u"Command1"_s, QImage()), 0);
    EXPECT_EQ(messages->texts, QStringList{u"表示中の答案がないため、印刷できません。"_s});
}

TEST(PrintStep, WithoutADefaultPrinterItSaysSoAndAsksNothing)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    TemporaryWorkspace folder;
    folder.writeImage(workspace::paths::markedSheet(1),
                      test_support::solidImage({20, 20}, Qt::red));
    PrintDestination destination = PrintDestination::defaultPrinter();
    PrintSettings settings;
    const std::shared_ptr<test_support::MessageLog> messages = test_support::answerMessageBoxes();

    results::runPrintStep(nullptr, folder.workspace(), settings, destination, QImage(),
                          [](const QImage&) {});

    ASSERT_EQ(messages->texts.size(), 1);
    EXPECT_TRUE(messages->texts[0].startsWith(u"既定のプリンタが設定されていない"_s));
    EXPECT_EQ(settings, PrintSettings{});
}
