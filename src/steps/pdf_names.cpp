// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_names.h"

#include "workspace/workspace_paths.h"

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

constexpr qsizetype kMaxCharacters = 100;
constexpr qsizetype kMaxUtf8Bytes = 200;

// Half a surrogate pair has no UTF-8 form.
bool refused(QChar character)
{
    return u"/\\:*?\"<>|"_s.contains(character) || character.isSpace()
           || character.category() == QChar::Other_Control || character.isSurrogate();
}

} // namespace

QString fileNamePart(const QString& untrimmed)
{
    const QString name = untrimmed.trimmed();
    QString part;
    qsizetype characters = 0;
    qsizetype bytes = 0;
    for (qsizetype index = 0; index < name.size() && characters < kMaxCharacters;) {
        // A character beyond the basic plane is a surrogate pair: kept or cut whole.
        const qsizetype length = name[index].isHighSurrogate() && index + 1 < name.size()
                                         && name[index + 1].isLowSurrogate()
                                     ? 2
                                     : 1;
        QString character = name.mid(index, length);
        if ((length == 1 && refused(character[0])) || (part.isEmpty() && character == u"."_s))
            character = u"_"_s;
        bytes += character.toUtf8().size();
        if (bytes > kMaxUtf8Bytes)
            break;
        part += character;
        ++characters;
        index += length;
    }
    return part;
}

QString studentPdfName(int sheet, const QString& name)
{
    const QString part = fileNamePart(name);
    const QString number = workspace::numberText(sheet);
    return (part.isEmpty() ? number : number + u'_' + part) + u".pdf"_s;
}

QString classPdfName()
{
    return u"全員.pdf"_s;
}

} // namespace steps
