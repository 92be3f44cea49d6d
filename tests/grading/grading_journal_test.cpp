// SPDX-License-Identifier: GPL-3.0-or-later
#include "exam_fixture.h"
#include "grading/grading_journal.h"
#include "grading/journal_recovery.h"
#include "temporary_workspace.h"
#include "workspace/cp932.h"
#include "workspace/line_splitting.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using grading::ChangeList;
using grading::JournalBase;
using grading::JournalProblem;
using grading::JournalRecord;
using grading::RecoveryKind;
using grading::TableField;
using grading_test::Exam;
using grading_test::regionOfSize;

namespace {

const JournalBase kBase{0x12345678, 0x9abcdef0};
const QDateTime kTime(QDate(2024, 5, 1), QTime(14, 32, 10));

QByteArray journalOf(const QList<ChangeList>& records, const JournalBase& base = kBase)
{
    QByteArray bytes = grading::encodeJournalHeader(base);
    for (qsizetype index = 0; index < records.size(); ++index)
        bytes +=
            grading::encodeJournalRecord(int(index) + 1, {kTime.addSecs(index), records[index], 0});
    return bytes;
}

// Three sheets of two regions: scores "1" and "" on every sheet, no comments.
grading::GradingTables savedTables()
{
    test_support::TemporaryWorkspace folder;
    Exam(3, {regionOfSize(40, 20), regionOfSize(40, 20)})
        .scores({u"1,"_s, u"1,"_s, u"1,"_s})
        .write(folder);
    return grading_test::loadTables(folder);
}

} // namespace

TEST(GradingJournal, RecordsKeepEveryTextExactlyInCp932LinesWithTheirChecks)
{
    const QStringList texts = {QString(),         u"2.5"_s,    u"a,b%c"_s,
                               u"途中式、良し"_s, u"〜−"_s,    u"よく書けた😀"_s,
                               u"x\r\ny\tz"_s,    u"表ソ\\"_s, QString(QChar(0xD800))};
    ChangeList changes;
    for (qsizetype index = 0; index < texts.size(); ++index)
        changes.push_back({int(index) + 1, 2, index % 2 ? TableField::Comment : TableField::Score,
                           texts[index], texts[(index + 1) % texts.size()]});
    const QByteArray bytes = journalOf({changes, {{500, 101, TableField::Score, u"1"_s, u"2"_s}}});

    ASSERT_TRUE(workspace::cp932::decode(bytes).has_value());
    const QList<QByteArray> lines = workspace::splitLines(bytes);
    EXPECT_EQ(lines.size(), 3);
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_TRUE(lines[1].contains(workspace::cp932::encode(u"途中式、良し"_s).value()));

    const grading::JournalContents journal = grading::decodeJournal(bytes);
    EXPECT_EQ(journal.base, kBase);
    EXPECT_EQ(journal.damagedLine, 0);
    ASSERT_EQ(journal.records.size(), 2u);
    EXPECT_EQ(journal.records[0].changes, changes);
    EXPECT_EQ(journal.records[0].time, kTime);
    EXPECT_EQ(journal.records[1].line, 3);
}

TEST(GradingJournal, AnythingDamagedEndsTheJournalWhereItStarts)
{
    const ChangeList change = {{1, 1, TableField::Score, QString(), u"3"_s}};
    const QByteArray whole = journalOf({change, change, change});
    const qsizetype secondRecord = whole.indexOf("\r\n2,") + 2;
    QByteArray flipped = whole;
    flipped[secondRecord + 10] = flipped[secondRecord + 10] == 'x' ? 'y' : 'x';
    QByteArray renumbered = whole;
    renumbered[secondRecord] = '3';

    const struct {
        const char* what;
        QByteArray bytes;
        std::size_t records;
        int damagedLine;
    } cases[] = {
        {"whole", whole, 3, 0},
        {"the last record cut short", whole.chopped(7), 2, 4},
        {"the last line end cut short", whole.chopped(1), 2, 4},
        {"a byte changed in the second record", flipped, 1, 3},
        {"a record out of order", renumbered, 1, 3},
        {"the header cut short", whole.first(10), 0, 1},
        {"no journal at all", QByteArray(), 0, 0},
    };
    for (const auto& test : cases) {
        const grading::JournalContents journal = grading::decodeJournal(test.bytes);
        EXPECT_EQ(journal.records.size(), test.records) << test.what;
        EXPECT_EQ(journal.damagedLine, test.damagedLine) << test.what;
    }
}

TEST(JournalRecovery, ReplaysWhatFitsTheSavedTablesUpToTheFirstRecordThatDoesNot)
{
    const grading::GradingTables saved = savedTables();
    const ChangeList preset = {{1, 2, TableField::Score, QString(), u"5"_s},
                               {2, 2, TableField::Score, QString(), u"5"_s}};
    const ChangeList comment = {{2, 2, TableField::Comment, QString(), u"良い"_s}};
    const ChangeList stale = {{3, 1, TableField::Score, u"4"_s, u"0"_s}};

    const grading::Recovery recovery = grading::planRecovery(
        saved, kBase, grading::decodeJournal(journalOf({preset, comment, stale, preset})));
    EXPECT_EQ(recovery.kind, RecoveryKind::Restorable);
    EXPECT_EQ(recovery.changedAnswers, 2);
    EXPECT_EQ(recovery.lastChange, kTime.addSecs(1));
    EXPECT_EQ(recovery.problem, JournalProblem::DoesNotFit);
    EXPECT_EQ(recovery.firstLineLeftOut, 4);
    ChangeList expected = preset;
    expected.insert(expected.begin() + 2, comment.front());
    EXPECT_EQ(recovery.changes, expected);
    const QString question = grading::recoveryQuestion(recovery, u"/w/ini/kiroku.txt"_s);
    for (const QString& part : {u"答案2件"_s, u"5月1日 14時32分"_s, u"4行目から先"_s})
        EXPECT_TRUE(question.contains(part)) << question.toStdString();

    // A record that reaches past the sheets or the regions does not fit either.
    const grading::Recovery outside = grading::planRecovery(
        saved, kBase,
        grading::decodeJournal(journalOf({{{4, 1, TableField::Score, QString(), u"1"_s}}})));
    EXPECT_EQ(outside.kind, RecoveryKind::Unusable);
    EXPECT_EQ(outside.firstLineLeftOut, 2);
}

TEST(JournalRecovery, AJournalOlderThanTheSavedFilesOrAddingUpToNothingRestoresNothing)
{
    const grading::GradingTables saved = savedTables();
    const JournalBase otherBase{1, 2};
    const ChangeList alreadySaved = {{1, 1, TableField::Score, QString(), u"1"_s}};
    const ChangeList typed = {{1, 2, TableField::Score, QString(), u"3"_s}};

    const struct {
        const char* what;
        QByteArray journal;
        RecoveryKind kind;
        bool savedFilesChanged;
    } cases[] = {
        {"saved, then ended before the journal was emptied", journalOf({alreadySaved}, otherBase),
         RecoveryKind::AlreadySaved, true},
        {"the saved files changed since",
         journalOf({typed, {{1, 1, TableField::Score, u"2"_s, u"3"_s}}}, otherBase),
         RecoveryKind::Restorable, true},
        {"nothing of it fits", journalOf({{{1, 1, TableField::Score, u"2"_s, u"3"_s}}}, otherBase),
         RecoveryKind::Unusable, true},
        {"typed and undone", journalOf({typed, grading::inverted(typed)}), RecoveryKind::Nothing,
         false},
        {"damaged from its first record", journalOf({typed}).chopped(3), RecoveryKind::Unusable,
         false},
    };
    for (const auto& test : cases) {
        const grading::Recovery recovery =
            grading::planRecovery(saved, kBase, grading::decodeJournal(test.journal));
        EXPECT_EQ(recovery.kind, test.kind) << test.what;
        EXPECT_EQ(recovery.savedFilesChanged, test.savedFilesChanged) << test.what;
    }
    const grading::Recovery unusable =
        grading::planRecovery(saved, kBase, grading::decodeJournal(cases[2].journal));
    EXPECT_TRUE(grading::unusableJournalNotice(unusable, u"/w/ini/kiroku.txt"_s)
                    .contains(u"保存し直されています"_s));
}
