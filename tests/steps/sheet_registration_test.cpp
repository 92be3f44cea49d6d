// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/bmp_codec.h"
#include "scan_files.h"
#include "steps/sheet_registration.h"
#include "temporary_workspace.h"

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

} // namespace

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
