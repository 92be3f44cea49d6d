// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cell_change.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>
#include <vector>

// The grading journal, ini/kiroku.txt: every change made in the grading window since the score
// and comment files were last saved, one line per action, so that a crash loses nothing.
//
// A CP932 text file with CR LF line ends. The first line names the saved files it starts from:
//   kiroku,1,<CRC-32 of ini/haiten.txt>,<CRC-32 of ini/comment.txt>,<check>
// and every further line is one action (a typed edit, a preset, an undo or a redo):
//   <number from 1>,<local time yyyy-MM-ddTHH:mm:ss>,<n>, then n times
//   <sheet>,<region>,<s for the score or c for the comment>,<text before>,<text after>,
//   and finally <check>.
// <check> is the CRC-32 of the line's bytes up to its last comma, in eight hex digits. Texts
// keep what CP932 holds as it is; "%", ",", control characters and whatever would not come back
// unchanged from CP932 are written as "%" and four hex digits of the UTF-16 code unit.
namespace grading {

// The saved files a journal starts from; a missing file counts as an empty one.
struct JournalBase {
    quint32 scoreChecksum = 0;
    quint32 commentChecksum = 0;

    friend bool operator==(const JournalBase&, const JournalBase&) = default;
};

[[nodiscard]] JournalBase journalBaseOf(QByteArrayView scoreBytes, QByteArrayView commentBytes);

struct JournalRecord {
    QDateTime time;
    ChangeList changes;
    int line = 0; // where it was read from
};

[[nodiscard]] QByteArray encodeJournalHeader(const JournalBase& base);
[[nodiscard]] QByteArray encodeJournalRecord(int number, const JournalRecord& record);

// What a journal's bytes hold up to the first line that does not check out.
struct JournalContents {
    std::optional<JournalBase> base; // nothing without a header that checks out
    std::vector<JournalRecord> records;
    int damagedLine = 0; // the first line (from 1) that does not check out, 0 when none
};

[[nodiscard]] JournalContents decodeJournal(const QByteArray& bytes);

} // namespace grading
