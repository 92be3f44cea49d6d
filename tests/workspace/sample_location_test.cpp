// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "workspace/sample_location.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using test_support::TemporaryWorkspace;
namespace paths = workspace::paths;

TEST(SampleLocation, TheDialogsOpenAtTheSampleUntilItsStepHasBeenDoneOnce)
{
    const struct {
        bool withSample;
        bool sheetImported;
        bool rosterSaved;
        bool importAtSample;
        bool rosterAtSample;
    } cases[] = {
        {false, false, false, false, false},
        {true, false, false, true, true},
        {true, true, false, false, true},
        {true, true, true, false, false},
    };
    for (const auto& test : cases) {
        TemporaryWorkspace folder;
        if (test.withSample) {
            folder.writeBytes(paths::sampleRoster(), "x\r\n");
            ASSERT_TRUE(QDir().mkpath(folder.path(paths::sampleScans())));
        }
        if (test.sheetImported)
            folder.writeBytes(paths::sheetImage(1), "BM");
        if (test.rosterSaved)
            folder.writeBytes(paths::rosterFile(), "x\r\n");

        EXPECT_EQ(workspace::importDialogFolder(folder.workspace()),
                  test.importAtSample ? folder.path(paths::sampleScans()) : QDir::homePath())
            << test.withSample << test.sheetImported;
        EXPECT_EQ(workspace::rosterDialogFolder(folder.workspace()),
                  test.rosterAtSample ? folder.path(paths::sampleFolder()) : QDir::homePath())
            << test.withSample << test.rosterSaved;
    }
}
