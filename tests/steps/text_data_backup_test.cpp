// SPDX-License-Identifier: GPL-3.0-or-later
#include "steps/text_data_backup.h"
#include "temporary_workspace.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(TextDataBackup, MovesEveryTextFileIntoANewDatedFolder)
{
    test_support::TemporaryWorkspace folder;
    folder.writeBytes(u"ini/zahyo.txt"_s, "1,2,3,4\r\n");
    folder.writeBytes(u"ini/haiten.txt"_s, "5\r\n");
    folder.writeBytes(u"ini/kanten.txt"_s, ",5\r\n");
    folder.writeBytes(u"ini/OTHER.TXT"_s, "x");
    folder.writeBytes(u"ini/keep.dat"_s, "y");
    const QDateTime now(QDate(2024, 7, 1), QTime(8, 30, 5));

    ASSERT_TRUE(steps::backUpTextData(folder.path(u"ini"_s), now).ok());
    EXPECT_EQ(QDir(folder.path(u"ini"_s)).entryList(QDir::Files), QStringList{u"keep.dat"_s});
    EXPECT_EQ(folder.readBytes(u"ini/backup/20240701-083005/zahyo.txt"_s), "1,2,3,4\r\n");
    EXPECT_TRUE(folder.exists(u"ini/backup/20240701-083005/haiten.txt"_s));
    EXPECT_EQ(folder.readBytes(u"ini/backup/20240701-083005/kanten.txt"_s), ",5\r\n");
    EXPECT_TRUE(folder.exists(u"ini/backup/20240701-083005/OTHER.TXT"_s));

    // A second backup in the same second gets a folder of its own; with nothing to keep, none.
    folder.writeBytes(u"ini/haiten.txt"_s, "6\r\n");
    ASSERT_TRUE(steps::backUpTextData(folder.path(u"ini"_s), now).ok());
    EXPECT_EQ(folder.readBytes(u"ini/backup/20240701-083005-2/haiten.txt"_s), "6\r\n");
    EXPECT_EQ(folder.readBytes(u"ini/backup/20240701-083005/haiten.txt"_s), "5\r\n");
    ASSERT_TRUE(steps::backUpTextData(folder.path(u"ini"_s), now).ok());
    EXPECT_FALSE(folder.exists(u"ini/backup/20240701-083005-3"_s));
}
