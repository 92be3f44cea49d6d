// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "scan_files.h"
#include "steps/sheet_import.h"
#include "steps/sheet_registration.h"
#include "temporary_workspace.h"
#include "workspace/parallel_run.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::SheetForm;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

constexpr QSize kPage{1166, 1654};

QTransform placement(QPointF shift, double degrees, bool upsideDown = false)
{
    QTransform transform;
    transform.translate(kPage.width() / 2.0 + shift.x(), kPage.height() / 2.0 + shift.y());
    transform.rotate(degrees + (upsideDown ? 180 : 0));
    transform.translate(-kPage.width() / 2.0, -kPage.height() / 2.0);
    return transform;
}

void writeSheet(const TemporaryWorkspace& folder, int number, const QImage& image)
{
    folder.writeBytes(paths::sheetImage(number), imaging::encodeBmp(image));
}

steps::RegistrationOutcome registerAll(const TemporaryWorkspace& folder, int sheets)
{
    steps::SheetRegistration registration(folder.workspace(), sheets);
    EXPECT_TRUE(registration.prepare().ok());
    QList<workspace::Status> checks;
    for (int index = 0; index < registration.checkCount(); ++index)
        checks.append(registration.check(index));
    registration.decide(checks);
    QList<workspace::Status> moves;
    for (int index = 0; index < registration.moveCount(); ++index)
        moves.append(registration.move(index));
    return registration.finish(moves);
}

// Imports the pictures as scans 001.bmp, 002.bmp, … of a folder, on every core.
steps::ImportOutcome importScans(const TemporaryWorkspace& folder, const QList<QImage>& scans,
                                 steps::Registration registration)
{
    for (qsizetype index = 0; index < scans.size(); ++index)
        folder.writeBytes(u"scans/%1.bmp"_s.arg(index + 1, 3, 10, QChar(u'0')),
                          imaging::encodeBmp(scans[index]));
    steps::SheetImport import(folder.workspace(), folder.path(u"scans"_s), steps::BlankPages::Keep,
                              registration);
    EXPECT_TRUE(import.prepare(QDateTime::currentDateTime()).ok());
    return import.finish(workspace::runInParallel(
        static_cast<int>(import.pages().size()), [&](int index) { return import.convert(index); },
        [](int) {}));
}

QList<QByteArray> storedSheets(const TemporaryWorkspace& folder, int count)
{
    QList<QByteArray> sheets;
    for (int number = 1; number <= count; ++number)
        sheets.append(folder.readBytes(paths::sheetImage(number)));
    return sheets;
}

} // namespace

TEST(SheetRegistration, AnImportThatLinesUpAsItStoresGivesTheSheetsOfAPassAfterIt)
{
    const QList<QImage> scans{
        test_support::formSheet(kPage, 1),
        test_support::placed(test_support::formSheet(kPage, 2), placement({40, -25}, 1.2)),
        test_support::formSheet(kPage, 3),
        test_support::blankBack(kPage, 4),
        test_support::placed(test_support::formSheet(kPage, 5), placement({-20, 30}, -0.6, true)),
        test_support::formSheet(kPage, 6, SheetForm::Other)};
    TemporaryWorkspace afterwards;
    ASSERT_FALSE(importScans(afterwards, scans, steps::Registration::Off).registration);
    const steps::RegistrationOutcome separate = registerAll(afterwards, 6);

    TemporaryWorkspace asStored;
    const steps::ImportOutcome imported = importScans(asStored, scans, steps::Registration::On);
    ASSERT_EQ(imported.sheetCount, 6);
    ASSERT_TRUE(imported.registration);
    EXPECT_EQ(steps::registrationMessage(*imported.registration),
              steps::registrationMessage(separate));
    EXPECT_EQ(imported.registration->moved.size(), 2);
    const QList<QByteArray> expected = storedSheets(afterwards, 6);
    const QList<QByteArray> stored = storedSheets(asStored, 6);
    for (int index = 0; index < 6; ++index)
        EXPECT_TRUE(stored[index] == expected[index]) << "sheet " << index + 1;
}

TEST(SheetRegistration, AnImportWhoseFirstPageIsTheOddOneStoresEverySheetAsScanned)
{
    // The last page matches the first and is lined up with it as it is stored; the others do
    // not, so the first page is the odd one and that move is taken back.
    const QList<QImage> scans{
        test_support::formSheet(kPage, 1, SheetForm::Other),
        test_support::placed(test_support::formSheet(kPage, 2), placement({20, 15}, 0.8)),
        test_support::placed(test_support::formSheet(kPage, 3), placement({30, 15}, 0.8)),
        test_support::placed(test_support::formSheet(kPage, 4), placement({40, 15}, 0.8)),
        test_support::placed(test_support::formSheet(kPage, 5, SheetForm::Other),
                             placement({25, -20}, 1.0))};
    TemporaryWorkspace plain;
    (void)importScans(plain, scans, steps::Registration::Off);

    TemporaryWorkspace folder;
    const steps::ImportOutcome imported = importScans(folder, scans, steps::Registration::On);
    ASSERT_TRUE(imported.registration);
    EXPECT_FALSE(imported.registration->refused.isEmpty());
    EXPECT_TRUE(imported.registration->moved.isEmpty());
    EXPECT_TRUE(imported.notStored.isEmpty());
    const QList<QByteArray> expected = storedSheets(plain, 5);
    const QList<QByteArray> stored = storedSheets(folder, 5);
    for (int index = 0; index < 5; ++index)
        EXPECT_TRUE(stored[index] == expected[index]) << "sheet " << index + 1;
}

TEST(SheetRegistration, MovesTheSheetsThatLieOffAndLeavesEveryOtherSheetAsScanned)
{
    TemporaryWorkspace folder;
    writeSheet(folder, 1, test_support::formSheet(kPage, 1));
    writeSheet(folder, 2,
               test_support::placed(test_support::formSheet(kPage, 2), placement({40, -25}, 1.2)));
    // Lies where sheet 1 does: kept byte for byte, not resampled.
    writeSheet(folder, 3, test_support::formSheet(kPage, 3));
    writeSheet(folder, 4, test_support::blankBack(kPage, 4));
    writeSheet(
        folder, 5,
        test_support::placed(test_support::formSheet(kPage, 5), placement({-20, 30}, -0.6, true)));
    writeSheet(folder, 6, test_support::formSheet(kPage, 6, SheetForm::Other));
    QList<QByteArray> before;
    for (int number = 1; number <= 6; ++number)
        before.append(folder.readBytes(paths::sheetImage(number)));

    const steps::RegistrationOutcome outcome = registerAll(folder, 6);
    EXPECT_TRUE(outcome.refused.isEmpty());
    EXPECT_TRUE(outcome.notStored.isEmpty());
    ASSERT_EQ(outcome.moved.size(), 2) << outcome.moved.join(u'|').toStdString();
    EXPECT_TRUE(outcome.moved[0].startsWith(u"002.bmp　左に5.1mm、下に3.2mm、"_s))
        << outcome.moved[0].toStdString();
    EXPECT_TRUE(outcome.moved[0].endsWith(u"1.2°回転"_s)) << outcome.moved[0].toStdString();
    EXPECT_TRUE(outcome.moved[1].startsWith(u"005.bmp　上下を反転、"_s))
        << outcome.moved[1].toStdString();
    EXPECT_EQ(outcome.unregistered, (QStringList{u"004.bmp"_s, u"006.bmp"_s}));

    for (const int unchanged : {1, 3, 4, 6})
        EXPECT_EQ(folder.readBytes(paths::sheetImage(unchanged)), before[unchanged - 1])
            << unchanged;
    for (const int moved : {2, 5}) {
        const QByteArray after = folder.readBytes(paths::sheetImage(moved));
        EXPECT_NE(after, before[moved - 1]);
        const std::optional<QImage> sheet = imaging::decodeBmp(after);
        ASSERT_TRUE(sheet);
        EXPECT_EQ(sheet->size(), kPage);
    }

    const QString message = steps::registrationMessage(outcome);
    EXPECT_TRUE(
        message.startsWith(u"次の2枚の答案は、1枚目の答案に位置と傾きを合わせました。\n002.bmp"_s))
        << message.toStdString();
    EXPECT_TRUE(
        message.contains(u"\n\n次の2枚の答案は1枚目の答案と同じ用紙と確かめられなかったため、"
                         u"スキャンしたまま保存しました。\n004.bmp\n006.bmp"_s))
        << message.toStdString();
}

TEST(SheetRegistration, MovesNothingWhenSheetOneIsTheOddOneOutOrTheSetIsPlainPaper)
{
    struct Case {
        QString name;
        QImage first;
        QImage others;
        bool told;
    };
    const Case cases[] = {
        {u"another form first"_s, test_support::formSheet(kPage, 1, SheetForm::Other),
         test_support::formSheet(kPage, 2), true},
        {u"blank first"_s, test_support::blankBack(kPage, 1), test_support::formSheet(kPage, 2),
         true},
        {u"plain paper"_s, test_support::blankBack(kPage, 1), test_support::blankBack(kPage, 2),
         false},
    };
    for (const Case& tried : cases) {
        TemporaryWorkspace folder;
        writeSheet(folder, 1, tried.first);
        for (int number = 2; number <= 4; ++number)
            writeSheet(folder, number,
                       test_support::placed(tried.others, placement({10.0 * number, 15}, 0.8)));
        QList<QByteArray> before;
        for (int number = 1; number <= 4; ++number)
            before.append(folder.readBytes(paths::sheetImage(number)));

        const steps::RegistrationOutcome outcome = registerAll(folder, 4);
        EXPECT_EQ(!outcome.refused.isEmpty(), tried.told) << tried.name.toStdString();
        EXPECT_EQ(steps::registrationMessage(outcome).isEmpty(), !tried.told)
            << tried.name.toStdString();
        EXPECT_TRUE(outcome.moved.isEmpty()) << tried.name.toStdString();
        for (int number = 1; number <= 4; ++number)
            EXPECT_EQ(folder.readBytes(paths::sheetImage(number)), before[number - 1])
                << tried.name.toStdString() << " " << number;
    }
}

TEST(SheetRegistration, DescribesAMoveInMillimetresAndDegrees)
{
    const QSize a4(1654, 2339);
    // The form's centre lay 16.5 pixels left and 31.5 up of where it belongs at 200 dpi.
    EXPECT_EQ(steps::describeMove(QTransform::fromTranslate(-16.5, -31.5), false, a4, 200),
              u"右に2.1mm、下に4.0mm"_s);
    const QPointF centre((a4.width() - 1) / 2.0, (a4.height() - 1) / 2.0);
    QTransform turned;
    turned.translate(centre.x(), centre.y());
    turned.rotate(180.8);
    turned.translate(-centre.x(), -centre.y());
    EXPECT_EQ(steps::describeMove(turned, true, a4, 200), u"上下を反転、0.8°回転"_s);
}
