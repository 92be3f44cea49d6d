// SPDX-License-Identifier: GPL-3.0-or-later
#include "grading_journal.h"

#include "workspace/cp932.h"
#include "workspace/line_splitting.h"

#include <array>

#include <zlib.h>

using namespace Qt::Literals::StringLiterals;

namespace grading {

namespace {

constexpr QByteArrayView kLineEnd = "\r\n";
constexpr QStringView kHeaderTag = u"kiroku";
constexpr QStringView kVersion = u"1";
constexpr int kFieldsPerChange = 5;
constexpr int kRecordLeadFields = 3;
constexpr QStringView kTimeFormat = u"yyyy-MM-ddTHH:mm:ss";

quint32 crc32Of(QByteArrayView bytes)
{
    return quint32(::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()),
                           uInt(bytes.size())));
}

QString hex8(quint32 value)
{
    return QString::number(value, 16).rightJustified(8, u'0');
}

// Whether a character comes back from CP932 as itself; the answers are kept, since the same
// few characters recur on every line.
bool roundTrips(QChar character)
{
    static std::array<qint8, 0x10000> known{};
    qint8& answer = known[character.unicode()];
    if (answer == 0) {
        const QString text(character);
        bool same = workspace::cp932::withCodePageForms(text) == text;
        if (same) {
            const workspace::Expected<QByteArray> bytes = workspace::cp932::encode(text);
            same = bytes && workspace::cp932::decode(*bytes) == text;
        }
        answer = same ? 1 : -1;
    }
    return answer == 1;
}

QString escaped(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        const bool plain = code < 0x80
                               ? code >= 0x20 && code != 0x7F && code != u'%' && code != u','
                               : !character.isSurrogate() && roundTrips(character);
        if (plain)
            result += character;
        else
            result += u'%' + QString::number(code, 16).rightJustified(4, u'0');
    }
    return result;
}

std::optional<QString> unescaped(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype index = 0; index < text.size(); ++index) {
        if (text[index] != u'%') {
            result += text[index];
            continue;
        }
        bool ok = false;
        const uint code = text.mid(index + 1, 4).toUInt(&ok, 16);
        if (!ok || index + 4 >= text.size())
            return std::nullopt;
        result += QChar(char16_t(code));
        index += 4;
    }
    return result;
}

// The line with its check appended and its line end.
QByteArray checkedLine(const QString& fields)
{
    // Every text was escaped to what the code page holds.
    QByteArray bytes = workspace::cp932::encode(fields).value();
    bytes += hex8(crc32Of(bytes)).toLatin1();
    bytes += kLineEnd;
    return bytes;
}

// The fields of a line whose check is right, without the check.
std::optional<QList<QStringView>> checkedFields(const QByteArray& line, QString& storage)
{
    const qsizetype lastComma = line.lastIndexOf(',');
    if (lastComma < 0)
        return std::nullopt;
    const QByteArrayView checked = QByteArrayView(line).first(lastComma + 1);
    bool ok = false;
    const quint32 check = line.mid(lastComma + 1).toUInt(&ok, 16);
    if (!ok || line.size() - lastComma - 1 != 8 || check != crc32Of(checked))
        return std::nullopt;
    std::optional<QString> text = workspace::cp932::decode(checked.chopped(1));
    if (!text)
        return std::nullopt;
    storage = std::move(*text);
    return QStringView(storage).split(u',');
}

std::optional<JournalBase> decodeHeader(const QByteArray& line)
{
    QString storage;
    const std::optional<QList<QStringView>> fields = checkedFields(line, storage);
    if (!fields || fields->size() != 4 || fields->at(0) != kHeaderTag || fields->at(1) != kVersion)
        return std::nullopt;
    bool scoreOk = false;
    bool commentOk = false;
    const JournalBase base{fields->at(2).toUInt(&scoreOk, 16),
                           fields->at(3).toUInt(&commentOk, 16)};
    if (!scoreOk || !commentOk)
        return std::nullopt;
    return base;
}

std::optional<JournalRecord> decodeRecord(const QByteArray& line, int number)
{
    QString storage;
    const std::optional<QList<QStringView>> fields = checkedFields(line, storage);
    if (!fields || fields->size() < kRecordLeadFields || fields->at(0).toInt() != number)
        return std::nullopt;
    JournalRecord record;
    record.time = QDateTime::fromString(fields->at(1).toString(), kTimeFormat);
    bool countOk = false;
    const int count = fields->at(2).toInt(&countOk);
    if (!record.time.isValid() || !countOk || count < 1
        || fields->size() != kRecordLeadFields + qsizetype(count) * kFieldsPerChange)
        return std::nullopt;
    record.changes.reserve(std::size_t(count));
    for (qsizetype first = kRecordLeadFields; first < fields->size(); first += kFieldsPerChange) {
        CellChange change;
        bool sheetOk = false;
        bool regionOk = false;
        change.sheet = fields->at(first).toInt(&sheetOk);
        change.region = fields->at(first + 1).toInt(&regionOk);
        const QStringView field = fields->at(first + 2);
        if (!sheetOk || !regionOk || (field != u"s" && field != u"c"))
            return std::nullopt;
        change.field = field == u"s" ? TableField::Score : TableField::Comment;
        std::optional<QString> before = unescaped(fields->at(first + 3));
        std::optional<QString> after = unescaped(fields->at(first + 4));
        if (!before || !after)
            return std::nullopt;
        change.before = std::move(*before);
        change.after = std::move(*after);
        record.changes.push_back(std::move(change));
    }
    return record;
}

} // namespace

JournalBase journalBaseOf(QByteArrayView scoreBytes, QByteArrayView commentBytes)
{
    return {crc32Of(scoreBytes), crc32Of(commentBytes)};
}

QByteArray encodeJournalHeader(const JournalBase& base)
{
    return checkedLine(u"%1,%2,%3,%4,"_s.arg(kHeaderTag, kVersion, hex8(base.scoreChecksum),
                                             hex8(base.commentChecksum)));
}

QByteArray encodeJournalRecord(int number, const JournalRecord& record)
{
    QString fields = u"%1,%2,%3,"_s.arg(QString::number(number), record.time.toString(kTimeFormat),
                                        QString::number(record.changes.size()));
    for (const CellChange& change : record.changes) {
        fields += QString::number(change.sheet);
        fields += u',';
        fields += QString::number(change.region);
        fields += change.field == TableField::Score ? u",s,"_s : u",c,"_s;
        fields += escaped(change.before);
        fields += u',';
        fields += escaped(change.after);
        fields += u',';
    }
    return checkedLine(fields);
}

JournalContents decodeJournal(const QByteArray& bytes)
{
    JournalContents contents;
    const QList<QByteArray> lines = workspace::splitLines(bytes);
    // A last line without its line end was cut short while it was written.
    const qsizetype whole = bytes.endsWith(kLineEnd) ? lines.size() : lines.size() - 1;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const int lineNumber = int(index) + 1;
        if (index >= whole) {
            contents.damagedLine = lineNumber;
            break;
        }
        if (index == 0) {
            contents.base = decodeHeader(lines[index]);
            if (!contents.base) {
                contents.damagedLine = lineNumber;
                break;
            }
            continue;
        }
        std::optional<JournalRecord> record = decodeRecord(lines[index], int(index));
        if (!record) {
            contents.damagedLine = lineNumber;
            break;
        }
        record->line = lineNumber;
        contents.records.push_back(std::move(*record));
    }
    return contents;
}

} // namespace grading
