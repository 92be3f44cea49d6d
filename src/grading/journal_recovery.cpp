// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal_recovery.h"

#include "workspace/atomic_file.h"

#include <QFileInfo>

#include <QSet>

#include <map>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace grading {

namespace {

using CellKey = std::tuple<int, int, TableField>;

// Whether the journal's last word on every text it touches is what the saved tables hold.
bool isInSavedTables(const GradingTables& saved, const JournalContents& journal)
{
    std::map<CellKey, const QString*> last;
    for (const JournalRecord& record : journal.records)
        for (const CellChange& change : record.changes)
            last[{change.sheet, change.region, change.field}] = &change.after;
    for (const auto& [key, text] : last) {
        const auto& [sheet, region, field] = key;
        if (sheet < 1 || sheet > saved.sheetCount() || region < 1 || region > saved.regionCount()
            || saved.text(sheet, region, field) != *text)
            return false;
    }
    return !last.empty();
}

QString problemSentence(const Recovery& recovery, const QString& path)
{
    const QString where = u"記録ファイル「%1」の%2行目から先"_s.arg(
        workspace::displayPath(path), QString::number(recovery.firstLineLeftOut));
    switch (recovery.problem) {
    case JournalProblem::Damaged: return where + u"は壊れています。"_s;
    case JournalProblem::DoesNotFit:
        return where + u"は、保存されている採点結果と合いません"_s
               + (recovery.savedFilesChanged ? u"（記録の後に保存し直されています）。"_s : u"。"_s);
    case JournalProblem::None: break;
    }
    return {};
}

} // namespace

Recovery planRecovery(const GradingTables& saved, const JournalBase& savedBase,
                      const JournalContents& journal)
{
    Recovery recovery;
    recovery.savedFilesChanged = journal.base && *journal.base != savedBase;
    if (journal.damagedLine != 0) {
        recovery.problem = JournalProblem::Damaged;
        recovery.firstLineLeftOut = journal.damagedLine;
    }
    GradingTables restored = saved;
    for (const JournalRecord& record : journal.records) {
        if (!restored.applyIfFits(record.changes)) {
            recovery.problem = JournalProblem::DoesNotFit;
            recovery.firstLineLeftOut = record.line;
            break;
        }
        recovery.lastChange = record.time;
    }
    recovery.changes = saved.changesTo(restored);
    QSet<std::pair<int, int>> answers;
    for (const CellChange& change : recovery.changes)
        answers.insert({change.sheet, change.region});
    recovery.changedAnswers = int(answers.size());

    if (recovery.changedAnswers > 0)
        recovery.kind = RecoveryKind::Restorable;
    else if (recovery.problem == JournalProblem::None)
        recovery.kind = RecoveryKind::Nothing;
    else if (isInSavedTables(saved, journal))
        recovery.kind = RecoveryKind::AlreadySaved;
    else
        recovery.kind = RecoveryKind::Unusable;
    return recovery;
}

JournalFindings inspectJournal(const workspace::Workspace& workspace, const GradingTables& saved)
{
    const auto bytesOf = [&workspace](const QString& relative) {
        const QString path = workspace.path(relative);
        // The tables were read from these files a moment ago; one that is gone since counts
        // as empty, so that the journal is checked against what is there.
        const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path);
        return bytes ? *bytes : QByteArray();
    };
    JournalFindings findings;
    findings.base = journalBaseOf(bytesOf(workspace::paths::scoreFile()),
                                  bytesOf(workspace::paths::commentFile()));
    const QString path = workspace.path(workspace::paths::journalFile());
    if (!QFileInfo::exists(path))
        return findings;
    const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path);
    JournalContents journal;
    if (bytes)
        journal = decodeJournal(*bytes);
    else
        journal.damagedLine = 1;
    findings.recovery = planRecovery(saved, findings.base, journal);
    return findings;
}

QString recoveryQuestion(const Recovery& recovery, const QString& path)
{
    QString text = u"前回の採点は「採点終了」で保存されないまま終わっています。\n"
                   u"保存されていない変更が残っています（答案%1件、最後の変更は%2）。\n"_s.arg(
                       QString::number(recovery.changedAnswers),
                       recovery.lastChange.toString(u"M月d日 H時mm分"_s));
    if (recovery.problem != JournalProblem::None)
        text += problemSentence(recovery, path) + u"その前までの変更を復元できます。\n"_s;
    return text
           + u"\n変更を復元しますか？\n"
             u"復元した変更は、「採点終了」を押すまで保存されません。"
             u"復元しない場合は、保存されている採点結果で開き、記録は消去します。"_s;
}

QString unusableJournalNotice(const Recovery& recovery, const QString& path)
{
    return problemSentence(recovery, path)
           + u"\nこの記録からは何も復元できないため、保存されている採点結果で開きます。"_s;
}

} // namespace grading
