// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"
#include "workspace/work_folder_lock.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::Literals::StringLiterals;
using test_support::TemporaryWorkspace;
using workspace::LockOutcome;
using workspace::WorkFolderLock;

TEST(WorkFolderLock, OneHolderAtATimeAndTheLockIsFreeAgainOnceReleased)
{
    TemporaryWorkspace folder;
    std::optional<WorkFolderLock> first(folder.workspace().root());
    EXPECT_EQ(first->outcome(), LockOutcome::Taken);
    EXPECT_TRUE(folder.exists(workspace::paths::workFolderLock()));

    const WorkFolderLock second(folder.workspace().root());
    EXPECT_EQ(second.outcome(), LockOutcome::HeldByAnother);
    EXPECT_FALSE(second.isHeld());
    EXPECT_TRUE(second.message().contains(u"すでに起動しています"_s));
    EXPECT_TRUE(second.message().contains(workspace::displayPath(folder.workspace().root())));

    first.reset();
    EXPECT_FALSE(folder.exists(workspace::paths::workFolderLock()));
    EXPECT_EQ(WorkFolderLock(folder.workspace().root()).outcome(), LockOutcome::Taken);
}

TEST(WorkFolderLock, TheLockOfAKilledProgramIsTakenOverAndALiveOneIsNot)
{
    TemporaryWorkspace folder;
    QProcess child;
    child.start(QStringLiteral(MARUTSUKE_TEST_CHILD), {u"lock"_s, folder.workspace().root()});
    ASSERT_TRUE(child.waitForStarted());
    while (!child.canReadLine() && child.state() == QProcess::Running)
        child.waitForReadyRead(30000);
    ASSERT_EQ(child.readLine(), "ready\n");
    EXPECT_EQ(WorkFolderLock(folder.workspace().root()).outcome(), LockOutcome::HeldByAnother);

    child.kill();
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_TRUE(folder.exists(workspace::paths::workFolderLock()));
    const WorkFolderLock takenOver(folder.workspace().root());
    EXPECT_EQ(takenOver.outcome(), LockOutcome::TakenOverStale);
    EXPECT_TRUE(takenOver.isHeld());
}
