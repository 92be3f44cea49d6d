// SPDX-License-Identifier: GPL-3.0-or-later
#include "temporary_workspace.h"

#include "workspace/cp932.h"
#include "workspace/line_splitting.h"
#include "workspace/text_file.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace workspace;

TEST(LineSplitting, CrOrCrLfEndALineAndALoneLfStaysInIt)
{
    EXPECT_TRUE(splitLines("").isEmpty());
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (QList<QByteArray>{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb\r"), (QList<QByteArray>{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb\r\nc"), (QList<QByteArray>{"a\nb", "c"}));
    EXPECT_EQ(splitLines("\r\n\r\n"), (QList<QByteArray>{"", ""}));
    EXPECT_EQ(splitLines("x\r\r\ny"), (QList<QByteArray>{"x", "", "y"}));
}

TEST(LineSplitting, FieldsKeepEmptyParts)
{
    EXPECT_EQ(splitFields(u"0,,5"_s), (QStringList{u"0"_s, QString(), u"5"_s}));
    EXPECT_EQ(splitFields(u",,"_s), (QStringList{QString(), QString(), QString()}));
    EXPECT_EQ(splitFields(QString()), QStringList{QString()});
}

TEST(CodePage, RoundTripsTheCharactersTeachersUse)
{
    ASSERT_TRUE(cp932::isAvailable());
    const std::pair<QString, QByteArray> cases[] = {
        {u"、"_s, "\x81\x41"},
        {u"ｺﾒﾝﾄ"_s, "\xBA\xD2\xDD\xC4"},
        {u"表ソ"_s, "\x95\x5C\x83\x5C"},
        {u"～①Ⅰ㈱"_s, "\x81\x60\x87\x40\x87\x54\x87\x8A"},
        {u"髙﨑ⅰ"_s, "\xFB\xFC\xFA\xB1\xFA\x40"},
        {u"a,\"b\""_s, "a,\"b\""},
    };
    for (const auto& [text, bytes] : cases) {
        Expected<QByteArray> encoded = cp932::encode(text);
        ASSERT_TRUE(encoded) << encoded.error().toStdString();
        EXPECT_EQ(*encoded, bytes) << text.toStdString();
        EXPECT_EQ(cp932::decode(bytes), text);
    }
}

TEST(CodePage, LookAlikesFromInputMethodsAreStoredInTheirCodePageForms)
{
    Expected<QByteArray> encoded = cp932::encode(u"〜‖−"_s);
    ASSERT_TRUE(encoded) << encoded.error().toStdString();
    EXPECT_EQ(*encoded, QByteArray("\x81\x60\x81\x61\x81\x7C"));
}

TEST(CodePage, RefusesWhatItCannotHoldAndNamesIt)
{
    Expected<QByteArray> encoded = cp932::encode(u"よくできました😀"_s);
    ASSERT_FALSE(encoded);
    EXPECT_TRUE(encoded.error().contains(u"😀"_s)) << encoded.error().toStdString();
    EXPECT_FALSE(cp932::canEncode(u"한글"_s));
    EXPECT_TRUE(cp932::canEncode(u"かな漢字ｶﾅ"_s));
    // Half a surrogate pair at the end was once dropped in silence and the rest stored.
    const QString halfPair = u"山"_s + QChar(0xD870);
    EXPECT_FALSE(cp932::encode(halfPair));
    EXPECT_FALSE(cp932::canEncode(halfPair));
}

TEST(CodePage, RefusesInvalidBytesIncludingAHalfCharacterAtTheEnd)
{
    EXPECT_EQ(cp932::decode("abc\x81"), std::nullopt);
    EXPECT_EQ(cp932::decode("\xFF\xFF"), std::nullopt);
    EXPECT_EQ(cp932::decode(""), QString());
}

TEST(TextFile, WritesCrLfAfterEveryLineAndReadsItBackUnchanged)
{
    test_support::TemporaryWorkspace folder;
    const QString path = folder.path(u"ini/comment.txt"_s);
    folder.writeBytes(u"ini/.keep"_s, {});
    const QStringList lines{u"よくできました、"_s, QString(), u"ｺﾒﾝﾄ\nの続き"_s};
    ASSERT_TRUE(writeTextLines(path, lines).ok());
    EXPECT_EQ(folder.readBytes(u"ini/comment.txt"_s),
              QByteArray("\x82\xE6\x82\xAD\x82\xC5\x82\xAB\x82\xDC\x82\xB5\x82\xBD\x81\x41\r\n"
                         "\r\n"
                         "\xBA\xD2\xDD\xC4\n\x82\xCC\x91\xB1\x82\xAB\r\n"));
    Expected<QStringList> read = readTextLines(path, 500);
    ASSERT_TRUE(read) << read.error().toStdString();
    EXPECT_EQ(*read, lines);
}

TEST(TextFile, ReadingNamesTheFileAndLineOfInvalidBytes)
{
    test_support::TemporaryWorkspace folder;
    folder.writeBytes(u"ini/meibo.txt"_s, "ok\r\n\x82\xA0\r\n\xFF\xFE\r\n");
    Expected<QStringList> read = readTextLines(folder.path(u"ini/meibo.txt"_s), 500);
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().contains(u"meibo.txt"_s));
    EXPECT_TRUE(read.error().contains(u"3行目"_s)) << read.error().toStdString();
}

TEST(TextFile, ReadingRefusesMoreLinesThanAllowed)
{
    test_support::TemporaryWorkspace folder;
    folder.writeBytes(u"lines.txt"_s, "1\r\n2\r\n3\r\n");
    EXPECT_TRUE(readTextLines(folder.path(u"lines.txt"_s), 3));
    Expected<QStringList> read = readTextLines(folder.path(u"lines.txt"_s), 2);
    ASSERT_FALSE(read);
    EXPECT_TRUE(read.error().contains(u"3行目"_s)) << read.error().toStdString();
}

TEST(TextFile, AFailedWriteLeavesTheOldFileWhole)
{
    test_support::TemporaryWorkspace folder;
    folder.writeBytes(u"ini/meibo.txt"_s, "\x8E\x52\x93\x63\r\n");
    const Status status = writeTextLines(folder.path(u"ini/meibo.txt"_s), {u"佐藤"_s, u"Kim 김"_s});
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().contains(u"2行目"_s)) << status.error().toStdString();
    EXPECT_TRUE(status.error().contains(u"김"_s));
    EXPECT_EQ(folder.readBytes(u"ini/meibo.txt"_s), QByteArray("\x8E\x52\x93\x63\r\n"));
}

TEST(TextFile, WritingIntoAMissingFolderFailsWithTheFileName)
{
    test_support::TemporaryWorkspace folder;
    const Status status = writeTextLines(folder.path(u"missing/zahyo.txt"_s), {u"1"_s});
    ASSERT_FALSE(status.ok());
    EXPECT_TRUE(status.error().contains(u"zahyo.txt"_s));
}
