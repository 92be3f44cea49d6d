// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster/roster_input.h"
#include "temporary_workspace.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// 山田表ソ in Shift-JIS: the second bytes of 表 and ソ are 0x5C, a backslash in ASCII.
const QByteArray kYamadaInCodePage = "\x8E\x52\x93\x63\x95\x5C\x83\x5C";
// 髙① in Shift-JIS (code page 932 extensions).
const QByteArray kExtendedInCodePage = "\xFB\xFC\x87\x40";

const QStringList kNames{u"山田表ソ"_s, u"佐藤,花子"_s, u"\"鈴木\" 一郎"_s, QString(), u"髙①"_s};

QByteArray joined(const QList<QByteArray>& lines, const QByteArray& lineEnd)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + lineEnd;
    return bytes;
}

QList<QByteArray> utf8Lines()
{
    QList<QByteArray> lines;
    for (const QString& name : kNames)
        lines.append(name.toUtf8());
    return lines;
}

QList<QByteArray> codePageLines()
{
    return {kYamadaInCodePage, "\x8D\xB2\x93\xA1\x2C\x89\xD4\x8E\x71",
            "\"\x97\xE9\x96\xD8\" \x88\xEA\x98\x59", QByteArray(), kExtendedInCodePage};
}

QByteArray utf16LittleEndian(const QString& text)
{
    QByteArray bytes("\xFF\xFE");
    for (QChar character : text) {
        bytes += char(character.unicode() & 0xFF);
        bytes += char(character.unicode() >> 8);
    }
    return bytes;
}

} // namespace

TEST(RosterInput, EveryEncodingAndLineEndGivesTheSameNames)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"UTF-8 with a byte-order mark, CR LF",
         QByteArray("\xEF\xBB\xBF") + joined(utf8Lines(), "\r\n")},
        {"UTF-8, LF", joined(utf8Lines(), "\n")},
        {"UTF-8, CR, no final line end", joined(utf8Lines(), "\r").chopped(1)},
        {"Shift-JIS, CR LF", joined(codePageLines(), "\r\n")},
        {"Shift-JIS, LF", joined(codePageLines(), "\n")},
        {"UTF-16 with a byte-order mark", utf16LittleEndian(kNames.join(u"\r\n"_s) + u"\r\n"_s)},
    };
    for (const auto& [what, bytes] : files) {
        const workspace::Expected<QStringList> names =
            roster::decodeRosterInput(bytes, u"/tmp/meibo.txt"_s);
        ASSERT_TRUE(names) << what << ": " << names.error().toStdString();
        EXPECT_EQ(*names, kNames) << what;
    }
}

TEST(RosterInput, KeepsBlankLinesAndDropsOnlyTheFinalLineEnd)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"A\r\n\r\nB\r\n", {u"A"_s, QString(), u"B"_s}},
        {"A\r\n\r\n", {u"A"_s, QString()}},
        {"", {}},
        {" A ,B\r\n", {u" A ,B"_s}},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(*roster::decodeRosterInput(bytes, u"r.txt"_s), expected) << bytes.toStdString();
}

TEST(RosterInput, RefusesWhatWouldArriveGarbled)
{
    const std::pair<QByteArray, QString> cases[] = {
        // A lead byte followed by a line end is neither UTF-8 nor Shift-JIS.
        {"A\r\n\x81\r\nB\r\n", u"2行目"_s},
        {"A\r\nB\r\n\x82", u"3行目"_s},
        {QByteArray("\xEF\xBB\xBF") + kYamadaInCodePage, u"UTF-8"_s},
        {QByteArray("A\0B\0", 4), u"テキストファイルではない"_s},
        // UTF-16 with an odd byte at the end, or with half a surrogate pair before a line break
        // that then went unseen.
        {QByteArray("\xFF\xFE\x41\0\x42", 5), u"UTF-16"_s},
        {QByteArray("\xFF\xFE\x41\0\x0D\xD8\x0A\0\x42\0", 10), u"UTF-16"_s},
    };
    for (const auto& [bytes, detail] : cases) {
        const workspace::Expected<QStringList> names =
            roster::decodeRosterInput(bytes, u"/home/teacher/名簿.txt"_s);
        ASSERT_FALSE(names) << bytes.toHex().toStdString();
        EXPECT_TRUE(names.error().contains(u"名簿.txt"_s)) << names.error().toStdString();
        EXPECT_TRUE(names.error().contains(detail)) << names.error().toStdString();
    }
}

TEST(RosterInput, ReadsAFileAndNamesOneThatIsMissing)
{
    test_support::TemporaryWorkspace folder;
    folder.writeBytes(u"class.txt"_s, joined(codePageLines(), "\r\n"));
    EXPECT_EQ(*roster::readRosterInput(folder.path(u"class.txt"_s)), kNames);

    const workspace::Expected<QStringList> missing =
        roster::readRosterInput(folder.path(u"none.txt"_s));
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.error().contains(u"none.txt"_s));
}

TEST(RosterInput, ALineThatIsOneQuotedCsvFieldGivesTheNameInside)
{
    test_support::TemporaryWorkspace folder;
    // A one-column list as a spreadsheet exports it, in Shift-JIS.
    folder.writeBytes(u"class.csv"_s, "\"\x8E\x52\x93\x63\x81\x40\x89\xD4\x8E\x71\"\r\n"
                                      "\"A,\"\"B\"\"\"\r\n"
                                      "\"A\",\"B\"\r\n"
                                      "\"A\"B\"\r\n"
                                      "\"\"\r\n");
    EXPECT_EQ(
        *roster::readRosterInput(folder.path(u"class.csv"_s)),
        (QStringList{u"山田　花子"_s, u"A,\"B\""_s, u"\"A\",\"B\""_s, u"\"A\"B\""_s, QString()}));
}
