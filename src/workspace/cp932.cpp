// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::Literals::StringLiterals;

namespace workspace::cp932 {

namespace {

constexpr const char* kCodecName = "windows-31j";

} // namespace

bool isAvailable()
{
    return QStringDecoder(kCodecName, QStringConverter::Flag::Stateless).isValid()
           && QStringEncoder(kCodecName).isValid();
}

std::optional<QString> decode(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString withCodePageForms(QString text)
{
    for (QChar& character : text) {
        switch (character.unicode()) {
        case 0x301C: character = QChar(0xFF5E); break; // WAVE DASH → FULLWIDTH TILDE
        case 0x2016: character = QChar(0x2225); break; // DOUBLE VERTICAL LINE → PARALLEL TO
        case 0x2212: character = QChar(0xFF0D); break; // MINUS SIGN → FULLWIDTH HYPHEN-MINUS
        case 0x2014: character = QChar(0x2015); break; // EM DASH → HORIZONTAL BAR
        case 0x00A2: character = QChar(0xFFE0); break; // CENT SIGN → FULLWIDTH CENT SIGN
        case 0x00A3: character = QChar(0xFFE1); break; // POUND SIGN → FULLWIDTH POUND SIGN
        case 0x00AC: character = QChar(0xFFE2); break; // NOT SIGN → FULLWIDTH NOT SIGN
        default: break;
        }
    }
    return text;
}

namespace {

std::optional<QByteArray> encodeStrictly(const QString& text)
{
    // Stateless, so that half a surrogate pair at the end is an error: a stateful encoder keeps
    // it for a next call that never comes, and the text would be stored without it.
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QString unencodableCharacters(const QString& text)
{
    QString found;
    for (qsizetype index = 0; index < text.size(); ++index) {
        const qsizetype length = text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(index, length);
        if (!encodeStrictly(character) && !found.contains(character))
            found += character;
        index += length - 1;
    }
    return found;
}

} // namespace

Expected<QByteArray> encode(const QString& text)
{
    const QString stored = withCodePageForms(text);
    if (std::optional<QByteArray> bytes = encodeStrictly(stored))
        return *bytes;
    return Failure{u"「%1」には保存できない文字（%2）が含まれています。"_s.arg(
        text, unencodableCharacters(stored))};
}

bool canEncode(const QString& text)
{
    return encodeStrictly(withCodePageForms(text)).has_value();
}

} // namespace workspace::cp932
