// SPDX-License-Identifier: GPL-3.0-or-later
#include "exam_fixture.h"
#include "grading/grading_tables.h"
#include "temporary_workspace.h"
#include "workspace/workspace_paths.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using grading::GradingTables;
using grading_test::Exam;
using grading_test::loadTables;
using grading_test::regionOfSize;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

namespace {

QList<workspace::RegionRect> regions(int count)
{
    return QList<workspace::RegionRect>(count, regionOfSize(40, 20));
}

} // namespace

TEST(GradingTables, ARosterMakesRegionOneTheNameFieldScoredZeroOnEverySheet)
{
    TemporaryWorkspace folder;
    Exam(3, regions(2)).scores({u"5,3"_s, u",2"_s}).roster({u"青木"_s, u"井上"_s}).write(folder);
    const GradingTables tables = loadTables(folder);

    for (int sheet = 1; sheet <= 3; ++sheet)
        EXPECT_EQ(tables.score(sheet, 1), u"0"_s) << sheet;
    EXPECT_EQ(tables.score(1, 2), u"3"_s);
    EXPECT_EQ(tables.name(2), u"井上"_s);
    EXPECT_EQ(tables.name(3), QString());
    EXPECT_TRUE(tables.isFullyGraded(1));
    EXPECT_FALSE(tables.isFullyGraded(2));

    ASSERT_TRUE(tables.save(folder.workspace()));
    EXPECT_EQ(folder.readBytes(paths::scoreFile()), "0,3\r\n0,2\r\n0,\r\n");
    EXPECT_EQ(folder.readBytes(paths::commentFile()), ",\r\n,\r\n,\r\n");
}

TEST(GradingTables, SavingWritesExactlyOneFieldPerRegionOnEverySheetOfTheRun)
{
    struct Case {
        const char* what;
        int sheets;
        int regionCount;
        std::optional<QStringList> scoreLines;
        QByteArray expectedScores;
    };
    const Case cases[] = {
        {"nothing graded", 3, 4, std::nullopt, ",,,\r\n,,,\r\n,,,\r\n"},
        {"short and long lines", 2, 4, QStringList{u"1"_s, u"1,2,3,4,5,6"_s},
         "1,,,\r\n1,2,3,4\r\n"},
        {"lines past the sheets", 2, 1, QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s}, "1\r\n2\r\n"},
        {"empty lines", 2, 2, QStringList{QString(), u"7,8"_s}, ",\r\n7,8\r\n"},
        {"no regions", 2, 0, std::nullopt, "\r\n\r\n"},
        {"no sheets", 0, 3, QStringList{u"1,2,3"_s}, ""},
    };
    for (const Case& test : cases) {
        TemporaryWorkspace folder;
        Exam exam(test.sheets, regions(test.regionCount));
        if (test.scoreLines)
            exam.scores(*test.scoreLines);
        exam.write(folder);
        const GradingTables tables = loadTables(folder);
        ASSERT_TRUE(tables.save(folder.workspace())) << test.what;
        EXPECT_EQ(folder.readBytes(paths::scoreFile()), test.expectedScores) << test.what;
    }
}

TEST(GradingTables, TheSheetRunStopsAtTheFirstGapAndLaterLinesAreDroppedOnSaving)
{
    TemporaryWorkspace folder;
    Exam(2, regions(2))
        .scores({u"1,2"_s, u"3,4"_s, u"5,6"_s, u"7,8"_s})
        .comments({u"a,b"_s, u"c,d"_s, u"e,f"_s})
        .write(folder);
    folder.writeImage(paths::sheetImage(4), test_support::solidImage(QSize(4, 4), Qt::white));
    const GradingTables tables = loadTables(folder);

    EXPECT_EQ(tables.sheetCount(), 2);
    EXPECT_EQ(tables.score(3, 2), u"6"_s); // read, but never shown
    EXPECT_EQ(tables.comment(3, 1), u"e"_s);
    ASSERT_TRUE(tables.save(folder.workspace()));
    EXPECT_EQ(folder.readBytes(paths::scoreFile()), "1,2\r\n3,4\r\n");
    EXPECT_EQ(folder.readBytes(paths::commentFile()), "a,b\r\nc,d\r\n");
}

TEST(GradingTables, RefusesWhatTheTablesCannotHoldNamingTheFile)
{
    struct Case {
        const char* what;
        QString relative;
        QByteArray bytes;
        QString expectedInMessage;
    };
    QByteArray tooManyFields = "1";
    for (int field = 1; field <= 101; ++field)
        tooManyFields += ",1";
    QByteArray tooManyLines;
    for (int line = 0; line <= 500; ++line)
        tooManyLines += "1\r\n";
    const Case cases[] = {
        {"102 fields", paths::scoreFile(), tooManyFields + "\r\n", u"haiten.txt"_s},
        {"501 comment lines", paths::commentFile(), tooManyLines, u"comment.txt"_s},
        {"501 roster lines", paths::rosterFile(), tooManyLines, u"meibo.txt"_s},
        {"bad code page bytes", paths::scoreFile(), "1,\x82\r\n", u"haiten.txt"_s},
        {"bad region line", paths::regionFile(), "1,2,3\r\n", u"zahyo.txt"_s},
    };
    for (const Case& test : cases) {
        TemporaryWorkspace folder;
        Exam(2, regions(2)).write(folder);
        folder.writeBytes(test.relative, test.bytes);
        const workspace::Expected<GradingTables> tables = GradingTables::load(folder.workspace());
        ASSERT_FALSE(tables) << test.what;
        EXPECT_TRUE(tables.error().contains(test.expectedInMessage))
            << test.what << ": " << tables.error().toStdString();
    }
}

TEST(GradingTables, RefusesMoreThanFiveHundredSheets)
{
    TemporaryWorkspace folder;
    Exam(0, regions(1)).write(folder);
    for (int sheet = 1; sheet <= 501; ++sheet)
        folder.writeBytes(paths::sheetImage(sheet), "BM");
    const workspace::Expected<GradingTables> tables = GradingTables::load(folder.workspace());
    ASSERT_FALSE(tables);
    EXPECT_TRUE(tables.error().contains(u"500枚"_s)) << tables.error().toStdString();

    QFile::remove(folder.path(paths::sheetImage(501)));
    EXPECT_EQ(loadTables(folder).sheetCount(), 500);
}

TEST(GradingTables, SavingRefusesATextTheFileCannotHoldAndWritesNothing)
{
    struct Case {
        const char* what;
        QString comment;
        QString expectedInMessage;
    };
    const Case cases[] = {
        {"outside the code page", u"よくできました😀"_s, u"保存できない文字"_s},
        {"Korean", u"잘했어요"_s, u"保存できない文字"_s},
        {"pasted line break", u"一行目\n二行目"_s, u"改行"_s},
    };
    for (const Case& test : cases) {
        TemporaryWorkspace folder;
        Exam(3, regions(3)).scores({u"1,2,3"_s}).comments({u"old"_s}).write(folder);
        const QByteArray scoresBefore = folder.readBytes(paths::scoreFile());
        const QByteArray commentsBefore = folder.readBytes(paths::commentFile());
        GradingTables tables = loadTables(folder);
        tables.setScore(1, 1, u"9"_s);
        tables.setComment(2, 3, test.comment);

        const workspace::Status saved = tables.save(folder.workspace());
        ASSERT_FALSE(saved) << test.what;
        EXPECT_TRUE(saved.error().contains(u"2枚目"_s)) << saved.error().toStdString();
        EXPECT_TRUE(saved.error().contains(u"問３"_s)) << saved.error().toStdString();
        EXPECT_TRUE(saved.error().contains(test.expectedInMessage)) << saved.error().toStdString();
        EXPECT_EQ(folder.readBytes(paths::scoreFile()), scoresBefore) << test.what;
        EXPECT_EQ(folder.readBytes(paths::commentFile()), commentsBefore) << test.what;
    }
}

TEST(GradingTables, LinuxLookAlikesAreStoredInTheirCodePageForms)
{
    TemporaryWorkspace folder;
    Exam(1, regions(1)).write(folder);
    GradingTables tables = loadTables(folder);
    tables.setComment(1, 1, u"1〜3"_s);
    ASSERT_TRUE(tables.save(folder.workspace()));
    EXPECT_EQ(folder.readBytes(paths::commentFile()), "1\x81\x60"
                                                      "3\r\n");
}
