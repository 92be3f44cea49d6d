// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_checks.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// Every input that once made a fuzz target fail is kept in tests/data/fuzz/TARGET/, named after
// the fault it caught, and must now pass the same checks.
TEST(FuzzRegressions, EveryKeptInputPassesItsTargetsChecks)
{
    const QDir kept(QStringLiteral(MARUTSUKE_FUZZ_REGRESSIONS));
    int replayed = 0;
    for (const QString& folder : kept.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QByteArray targetName = folder.toLatin1();
        const fuzzing::FuzzTarget* target = fuzzing::findFuzzTarget(QLatin1StringView(targetName));
        ASSERT_NE(target, nullptr) << "no fuzz target named " << folder.toStdString();
        const QDir inputs(kept.filePath(folder));
        for (const QString& name : inputs.entryList(QDir::Files)) {
            SCOPED_TRACE(folder.toStdString() + "/" + name.toStdString());
            QFile file(inputs.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const std::optional<QString> problem = target->check(file.readAll());
            EXPECT_FALSE(problem.has_value()) << problem.value_or(QString()).toStdString();
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}
