// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "workspace/field_table_file.h"
#include "workspace/folders.h"
#include "workspace/grade_table_file.h"
#include "workspace/grade_threshold_file.h"
#include "workspace/preferences.h"
#include "workspace/region_file.h"
#include "workspace/roster_file.h"
#include "workspace/viewpoint_file.h"
#include "workspace/work_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace workspace;
using test_support::TemporaryWorkspace;

TEST(SheetCount, IsTheUnbrokenRunFromTheFirstSheet)
{
    TemporaryWorkspace folder;
    EXPECT_EQ(folder.workspace().sheetCount(), 0);
    for (int sheet : {1, 2, 4})
        folder.writeBytes(paths::sheetImage(sheet), "BM");
    EXPECT_EQ(folder.workspace().sheetCount(), 2);
}

TEST(RegionFile, RoundTripsRegionsInOrder)
{
    TemporaryWorkspace folder;
    folder.writeBytes(u"ini/.keep"_s, {});
    const QString path = folder.path(paths::regionFile());
    const QList<RegionRect> regions{
        {120, 352, 480, 300}, {10, 60, 200, 20}, {-5, 32767, -32768, 0}};
    ASSERT_TRUE(writeRegions(path, regions).ok());
    EXPECT_EQ(folder.readBytes(paths::regionFile()),
              QByteArray("120,352,480,300\r\n10,60,200,20\r\n-5,32767,-32768,0\r\n"));
    Expected<QList<RegionRect>> read = readRegions(path);
    ASSERT_TRUE(read) << read.error().toStdString();
    EXPECT_EQ(*read, regions);
    EXPECT_EQ(read->at(0).width(), 360);
    EXPECT_EQ(read->at(0).height(), 52);
}

TEST(RegionFile, AnEmptyFileMeansNoRegions)
{
    TemporaryWorkspace folder;
    folder.writeBytes(paths::regionFile(), {});
    Expected<QList<RegionRect>> read = readRegions(folder.path(paths::regionFile()));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->isEmpty());
    ASSERT_TRUE(writeRegions(folder.path(paths::regionFile()), {}).ok());
    EXPECT_EQ(folder.readBytes(paths::regionFile()), QByteArray());
}

TEST(RegionFile, MalformedLinesAreRefusedNamingTheLine)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"1,2,3,4\r\n1,2,x,4\r\n", u"2行目"_s}, {"1,2,3\r\n", u"1行目"_s},
        {"1,2,3,4,5\r\n", u"1行目"_s},          {"1,2,3,4\r\n1,2,32768,4\r\n", u"2行目"_s},
        {"1,2,3,4\r\n\r\n", u"2行目"_s},
    };
    for (const auto& [bytes, line] : cases) {
        TemporaryWorkspace folder;
        folder.writeBytes(paths::regionFile(), bytes);
        Expected<QList<RegionRect>> read = readRegions(folder.path(paths::regionFile()));
        ASSERT_FALSE(read) << bytes.toStdString();
        EXPECT_TRUE(read.error().contains(line)) << read.error().toStdString();
        EXPECT_TRUE(read.error().contains(u"zahyo.txt"_s));
    }
}

TEST(RegionFile, AHundredAndSecondRegionIsRefused)
{
    TemporaryWorkspace folder;
    QByteArray bytes;
    for (int region = 1; region <= 102; ++region)
        bytes += "1,2,3,4\r\n";
    folder.writeBytes(paths::regionFile(), bytes);
    Expected<QList<RegionRect>> read = readRegions(folder.path(paths::regionFile()));
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().contains(u"102行目"_s)) << read.error().toStdString();
}

TEST(RegionTables, KeepRegionsFromOneAndHoldAtMostOneHundredAndOne)
{
    RegionTables tables;
    EXPECT_TRUE(tables.append({196, 608, 808, 196}));
    EXPECT_EQ(tables.regionCount, 1);
    EXPECT_EQ(tables.regionLeft[1], 196);
    EXPECT_EQ(tables.regionBottom[1], 608);
    EXPECT_EQ(tables.regionLeft[0], 0);
    tables.removeLast();
    EXPECT_EQ(tables.regionCount, 0);
    EXPECT_EQ(tables.region(1), RegionRect{});
    for (int region = 1; region <= 101; ++region)
        EXPECT_TRUE(tables.append({1, 2, 3, 4}));
    EXPECT_FALSE(tables.append({1, 2, 3, 4}));
    EXPECT_EQ(tables.regionCount, 101);
}

TEST(FieldTable, RoundTripsScoresAndCommentsWithEmptyFields)
{
    TemporaryWorkspace folder;
    folder.writeBytes(u"ini/.keep"_s, {});
    const QString path = folder.path(paths::commentFile());
    const QList<QStringList> rows{{u"0"_s, QString(), u"5"_s},
                                  {QString(), QString(), QString()},
                                  {u"よく書けた、"_s, u"ｺﾒﾝﾄ"_s, u"\"引用\""_s}};
    ASSERT_TRUE(writeFieldTable(path, rows).ok());
    const QByteArray bytes = folder.readBytes(paths::commentFile());
    EXPECT_TRUE(bytes.startsWith("0,,5\r\n,,\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    Expected<QList<QStringList>> read = readFieldTable(path);
    ASSERT_TRUE(read) << read.error().toStdString();
    EXPECT_EQ(*read, rows);
}

TEST(FieldTable, RefusesAFieldThatWouldShiftTheOthers)
{
    TemporaryWorkspace folder;
    folder.writeBytes(paths::scoreFile(), "1,2\r\n");
    const Status status = writeFieldTable(folder.path(paths::scoreFile()), {{u"a,b"_s, u"c"_s}});
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(folder.readBytes(paths::scoreFile()), QByteArray("1,2\r\n"));
}

TEST(FieldTable, RefusesMoreSheetsOrRegionsThanTheTablesHold)
{
    TemporaryWorkspace folder;
    QByteArray tooManyLines;
    for (int sheet = 1; sheet <= 501; ++sheet)
        tooManyLines += "1\r\n";
    folder.writeBytes(paths::scoreFile(), tooManyLines);
    Expected<QList<QStringList>> read = readFieldTable(folder.path(paths::scoreFile()));
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().contains(u"501行目"_s)) << read.error().toStdString();

    folder.writeBytes(paths::scoreFile(), "1\r\n" + QByteArray(101, ',') + "\r\n");
    read = readFieldTable(folder.path(paths::scoreFile()));
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().contains(u"2行目"_s)) << read.error().toStdString();
}

TEST(Roster, KeepsCommasAndQuotesAndWritesAtLeastOneLine)
{
    TemporaryWorkspace folder;
    folder.writeBytes(u"ini/.keep"_s, {});
    const QString path = folder.path(paths::rosterFile());
    const QStringList names{u"山田, 太郎"_s, QString(), u"\"髙橋\""_s};
    ASSERT_TRUE(writeRoster(path, names).ok());
    Expected<QStringList> read = readRoster(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, names);

    ASSERT_TRUE(writeRoster(path, {}).ok());
    EXPECT_EQ(folder.readBytes(paths::rosterFile()), QByteArray("\r\n"));
}

TEST(GradeTable, HeaderEndsWithACommaAndDataLinesCarryTheScoreLineVerbatim)
{
    const QStringList lines = gradeTableLines(
        3, {{u"N"_s, 12, 3, u"0,5,7"_s}, {u"山田, \"太郎\" %2"_s, 4, 1, u"2.5,,abc"_s}});
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], u"氏名,合計,順位,領域1,領域2,領域3,"_s);
    EXPECT_EQ(lines[1], u"\"N\",12,3,0,5,7"_s);
    EXPECT_EQ(lines[2], u"\"山田, \"\"太郎\"\" %2\",4,1,2.5,,abc"_s);

    TemporaryWorkspace folder;
    ASSERT_TRUE(
        writeGradeTable(folder.path(paths::gradeTable()), 1, {{QString(), 0, 1, u"0"_s}}).ok());
    EXPECT_EQ(folder.readBytes(paths::gradeTable()),
              QByteArray("\x8E\x81\x96\xBC,\x8D\x87\x8C\x76,\x8F\x87\x88\xCA,\x97\xCC\x88\xE6"
                         "1,\r\n"
                         "\"\",0,1,0\r\n"));
}

TEST(ViewpointFile, RoundTripsOneLinePerRegionAndAMissingFileMeansNone)
{
    TemporaryWorkspace folder;
    const QString path = folder.path(paths::viewpointFile());
    Expected<QList<RegionViewpoint>> read = readViewpoints(path);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->isEmpty());

    folder.writeBytes(u"ini/.keep"_s, {});
    const QList<RegionViewpoint> viewpoints{{QString(), QString()},
                                            {u"知識・技能"_s, u"5"_s},
                                            {u"思考・判断・表現"_s, QString()},
                                            {u"\"態度\""_s, u"2.5"_s},
                                            {QString(), u"0"_s}};
    ASSERT_TRUE(writeViewpoints(path, viewpoints).ok());
    EXPECT_TRUE(folder.readBytes(paths::viewpointFile()).startsWith(",\r\n\x92\x6D"));
    EXPECT_TRUE(folder.readBytes(paths::viewpointFile()).endsWith(",0\r\n"));
    read = readViewpoints(path);
    ASSERT_TRUE(read) << read.error().toStdString();
    EXPECT_EQ(*read, viewpoints);
    EXPECT_EQ(read->at(3).fullMarksValue(), 2.5);
    EXPECT_EQ(read->at(2).fullMarksValue(), std::nullopt);
}

TEST(ViewpointFile, RefusesMalformedLinesNamingTheLineAndWritesNothingUnstorable)
{
    const std::pair<QByteArray, QString> cases[] = {
        {",\r\nA,5,1\r\n", u"2行目"_s},    {"A\r\n", u"1行目"_s},
        {",\r\n,\r\nA,x\r\n", u"3行目"_s}, {"A,-1\r\n", u"1行目"_s},
        {"A,1e3\r\n", u"1行目"_s},         {"A,2147483648\r\n", u"1行目"_s},
        {"A\nB,5\r\n", u"1行目"_s},        {QByteArray(",\r\n").repeated(102), u"102行目"_s},
    };
    TemporaryWorkspace folder;
    for (const auto& [bytes, line] : cases) {
        folder.writeBytes(paths::viewpointFile(), bytes);
        Expected<QList<RegionViewpoint>> read = readViewpoints(folder.path(paths::viewpointFile()));
        ASSERT_FALSE(read) << bytes.toStdString();
        EXPECT_TRUE(read.error().contains(u"kanten.txt"_s)) << read.error().toStdString();
        EXPECT_TRUE(read.error().contains(line)) << read.error().toStdString();
    }

    folder.writeBytes(paths::viewpointFile(), "A,5\r\n");
    for (const RegionViewpoint& unstorable :
         {RegionViewpoint{u"A,B"_s, QString()}, RegionViewpoint{u"A"_s, u"五"_s}}) {
        const Status status =
            writeViewpoints(folder.path(paths::viewpointFile()), {{}, unstorable});
        ASSERT_FALSE(status.ok());
        EXPECT_TRUE(status.error().contains(u"問2"_s)) << status.error().toStdString();
        EXPECT_EQ(folder.readBytes(paths::viewpointFile()), QByteArray("A,5\r\n"));
    }
}

TEST(GradeThresholdFile, DefaultsToEightyAndFiftyRoundTripsAndRefusesWhatCannotGrade)
{
    TemporaryWorkspace folder;
    const QString path = folder.path(paths::gradeThresholdFile());
    Expected<GradeThresholds> read = readGradeThresholds(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (GradeThresholds{80, 50}));

    folder.writeBytes(u"ini/.keep"_s, {});
    ASSERT_TRUE(writeGradeThresholds(path, {75.5, 40}).ok());
    EXPECT_EQ(folder.readBytes(paths::gradeThresholdFile()), QByteArray("75.5\r\n40\r\n"));
    read = readGradeThresholds(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (GradeThresholds{75.5, 40}));

    for (const QByteArray& bytes :
         {QByteArray("80\r\n"), QByteArray("80\r\nx\r\n"), QByteArray("50\r\n80\r\n"),
          QByteArray("120\r\n50\r\n"), QByteArray("80\r\n50\r\n10\r\n")}) {
        folder.writeBytes(paths::gradeThresholdFile(), bytes);
        read = readGradeThresholds(path);
        ASSERT_FALSE(read) << bytes.toStdString();
        EXPECT_TRUE(read.error().contains(u"kanten_kijun.txt"_s)) << read.error().toStdString();
    }
    EXPECT_FALSE(writeGradeThresholds(path, {40, 60}).ok());
}

TEST(Folders, PreparationCreatesOrEmptiesAndTextDeletionSparesOtherFiles)
{
    TemporaryWorkspace folder;
    ASSERT_TRUE(prepareEmptyFolder(folder.path(u"touan"_s)).ok());
    EXPECT_TRUE(QDir(folder.path(u"touan"_s)).exists());

    folder.writeBytes(u"touan/001.bmp"_s, "x");
    folder.writeBytes(u"touan/.hidden"_s, "x");
    folder.writeBytes(u"touan/sub/keep.bmp"_s, "x");
    ASSERT_TRUE(prepareEmptyFolder(folder.path(u"touan"_s)).ok());
    EXPECT_FALSE(folder.exists(u"touan/001.bmp"_s));
    EXPECT_FALSE(folder.exists(u"touan/.hidden"_s));
    EXPECT_TRUE(folder.exists(u"touan/sub/keep.bmp"_s));

    for (const QString& name : {u"ini/zahyo.txt"_s, u"ini/memo.TXT"_s, u"ini/notes.txt.bak"_s})
        folder.writeBytes(name, "x");
    ASSERT_TRUE(deleteTextFiles(folder.path(u"ini"_s)).ok());
    EXPECT_FALSE(folder.exists(u"ini/zahyo.txt"_s));
    EXPECT_FALSE(folder.exists(u"ini/memo.TXT"_s));
    EXPECT_TRUE(folder.exists(u"ini/notes.txt.bak"_s));

    ASSERT_TRUE(ensureFolder(folder.path(u"furiwake/001"_s)).ok());
    EXPECT_TRUE(ensureFolder(folder.path(u"furiwake/001"_s)).ok());
}

TEST(WorkFolder, IsTheProgramFolderOnlyWhenItHoldsTheMarkerElseThePerUserFolder)
{
    // A folder that root can write is no sign of a portable copy: an installed program in
    // /usr/local/bin lacks the marker and keeps its examinations per user.
    TemporaryWorkspace programFolder;
    TemporaryWorkspace home;
    const QString userFolder = home.path(u"share/marutsuke"_s);

    const WorkFolderChoice installed =
        chooseWorkFolder(programFolder.workspace().root(), userFolder);
    EXPECT_EQ(installed.path, userFolder);
    EXPECT_EQ(installed.kind, WorkFolderKind::UserFolder);
    EXPECT_TRUE(installed.isNew);
    EXPECT_TRUE(QDir(userFolder).exists());
    EXPECT_TRUE(workFolderNotice(installed).contains(QDir::toNativeSeparators(userFolder)));
    EXPECT_FALSE(programFolder.exists(u"ini"_s));

    const WorkFolderChoice again = chooseWorkFolder(programFolder.workspace().root(), userFolder);
    EXPECT_EQ(again.path, userFolder);
    EXPECT_FALSE(again.isNew);
    EXPECT_TRUE(workFolderNotice(again).isEmpty()) << "told once, not at every start";

    programFolder.writeBytes(workFolderMarkerName(), "");
    const WorkFolderChoice portable =
        chooseWorkFolder(programFolder.workspace().root(), userFolder);
    EXPECT_EQ(portable.path, programFolder.workspace().root());
    EXPECT_EQ(portable.kind, WorkFolderKind::ProgramFolder);
    EXPECT_TRUE(workFolderNotice(portable).isEmpty());

    // /proc refuses new files even to root.
    EXPECT_FALSE(isWritableFolder(u"/proc"_s));
    const WorkFolderChoice readOnly{userFolder, WorkFolderKind::UserFolderInsteadOfProgramFolder};
    EXPECT_TRUE(workFolderNotice(readOnly).contains(u"書き込めない"_s));
}

TEST(Preferences, KeepLinesTheyDoNotKnowAndFallBackToTheDefaults)
{
    TemporaryWorkspace folder;
    const Preferences missing = Preferences::read(folder.path(paths::preferencesFile()));
    EXPECT_TRUE(missing.isOn(kDropBlankPages));
    QDir().mkpath(folder.path(paths::preferencesFile()));
    EXPECT_TRUE(Preferences::read(folder.path(paths::preferencesFile())).isOn(kDropBlankPages));

    const QByteArray teachersOwn = "# \x8b\xb3\x8e\x74\r\ndrop_blank_pages=yes\r\nother=5";
    Preferences edited = Preferences::fromBytes(teachersOwn);
    EXPECT_TRUE(edited.isOn(kDropBlankPages));
    edited.set(kDropBlankPages, false);
    EXPECT_FALSE(edited.isOn(kDropBlankPages));
    EXPECT_EQ(edited.toBytes(), teachersOwn + "\r\ndrop_blank_pages=0\r\n");
    edited.set(kDropBlankPages, true);
    EXPECT_EQ(edited.toBytes(), teachersOwn + "\r\ndrop_blank_pages=1\r\n");
    EXPECT_FALSE(Preferences::fromBytes(" drop_blank_pages = 0 \r\n").isOn(kDropBlankPages));

    const QString file = folder.path(paths::preferencesFile());
    ASSERT_TRUE(QDir().rmdir(file));
    ASSERT_TRUE(edited.write(file).ok());
    EXPECT_EQ(folder.readBytes(u"settei.txt"_s), edited.toBytes());
}
