// SPDX-License-Identifier: GPL-3.0-or-later
#include "roster_input.h"

#include "workspace/atomic_file.h"
#include "workspace/cp932.h"
#include "workspace/csv_field.h"
#include "workspace/file_messages.h"

#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;
using workspace::Failure;

namespace roster {

namespace {

constexpr QByteArrayView kUtf8Mark = "\xEF\xBB\xBF";

std::optional<QString> decodeStrictly(QStringConverter::Encoding encoding, QByteArrayView bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// CR LF, CR and LF each end a line; a final line break does not start an empty line. Neither
// byte occurs inside a UTF-8 sequence or a Shift-JIS double-byte character.
QList<QByteArrayView> splitAtLineBreaks(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        if (bytes[index] != '\r' && bytes[index] != '\n')
            continue;
        lines.append(bytes.sliced(start, index - start));
        if (bytes[index] == '\r' && index + 1 < bytes.size() && bytes[index + 1] == '\n')
            ++index;
        start = index + 1;
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

std::optional<QStringList> decodeLines(const QList<QByteArrayView>& rawLines,
                                       QStringConverter::Encoding encoding)
{
    QStringList lines;
    lines.reserve(rawLines.size());
    for (QByteArrayView raw : rawLines) {
        std::optional<QString> line = decodeStrictly(encoding, raw);
        if (!line)
            return std::nullopt;
        lines.append(*line);
    }
    return lines;
}

Expected<QStringList> decodeCodePageLines(const QList<QByteArrayView>& rawLines,
                                          const QString& path)
{
    QStringList lines;
    lines.reserve(rawLines.size());
    for (qsizetype index = 0; index < rawLines.size(); ++index) {
        std::optional<QString> line = workspace::cp932::decode(rawLines[index]);
        if (!line)
            return Failure{workspace::messages::badLine(
                path, static_cast<int>(index + 1),
                u"Shift-JIS としても UTF-8 としても読めない文字があります。"_s)};
        lines.append(*line);
    }
    return lines;
}

Expected<QStringList> decodeUtf16(const QByteArray& bytes, QStringConverter::Encoding encoding,
                                  const QString& path)
{
    // Qt's UTF-16 decoder reports neither an odd byte at the end (it becomes U+FFFD) nor half a
    // surrogate pair; both would arrive as garbled names, and the line breaks after half a pair
    // would not be found.
    std::optional<QString> text =
        bytes.size() % 2 == 0 ? decodeStrictly(encoding, bytes) : std::nullopt;
    if (!text || !QStringView(*text).isValidUtf16())
        return Failure{
            workspace::messages::cannotRead(path, u"UTF-16 として読めない文字があります。"_s)};
    static const QRegularExpression lineBreak(u"\r\n|\r|\n"_s);
    QStringList lines = text->split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A one-column list exported from a spreadsheet may quote its names; any other line is a name as
// it stands.
QStringList withoutCsvQuotes(QStringList names)
{
    for (QString& name : names)
        if (std::optional<QString> unquoted = workspace::unquotedCsvField(name))
            name = *unquoted;
    return names;
}

Expected<QStringList> decodeLinesOf(const QByteArray& bytes, const QString& path)
{
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(bytes);
    if (marked == QStringConverter::Utf16LE || marked == QStringConverter::Utf16BE)
        return decodeUtf16(bytes, *marked, path);
    if (bytes.contains('\0'))
        return Failure{workspace::messages::cannotRead(
            path, u"テキストファイルではないか、文字コードを判別できません。"_s)};

    const bool utf8Marked = bytes.startsWith(kUtf8Mark);
    const QList<QByteArrayView> rawLines = splitAtLineBreaks(
        utf8Marked ? QByteArrayView(bytes).sliced(kUtf8Mark.size()) : QByteArrayView(bytes));
    if (std::optional<QStringList> lines = decodeLines(rawLines, QStringConverter::Utf8))
        return *lines;
    if (utf8Marked)
        return Failure{
            workspace::messages::cannotRead(path, u"UTF-8 として読めない文字があります。"_s)};
    return decodeCodePageLines(rawLines, path);
}

} // namespace

Expected<QStringList> decodeRosterInput(const QByteArray& bytes, const QString& path)
{
    Expected<QStringList> lines = decodeLinesOf(bytes, path);
    if (!lines)
        return lines;
    return withoutCsvQuotes(*lines);
}

Expected<QStringList> readRosterInput(const QString& path)
{
    Expected<QByteArray> bytes = workspace::readWholeFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    return decodeRosterInput(*bytes, path);
}

} // namespace roster
