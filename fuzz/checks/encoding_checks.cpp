// SPDX-License-Identifier: GPL-3.0-or-later
#include "check_support.h"
#include "input_checks.h"

#include "roster/roster_input.h"
#include "workspace/cp932.h"
#include "workspace/limits.h"
#include "workspace/roster_file.h"

using namespace Qt::Literals::StringLiterals;
using workspace::Expected;

namespace fuzzing {

std::optional<QString> checkCodePage(QByteArrayView input)
{
    namespace cp932 = workspace::cp932;
    Findings findings;
    // Whatever decodes encodes again, to bytes that decode to the same text.
    if (const std::optional<QString> text = cp932::decode(input)) {
        const Expected<QByteArray> bytes = cp932::encode(*text);
        findings.require(bytes.hasValue(),
                         u"decoded text does not encode: "_s + (bytes ? QString() : bytes.error()));
        if (bytes)
            findings.require(cp932::decode(*bytes) == *text, u"the text changes on encoding"_s);
    }
    // The input as UTF-16 text, as a teacher may type it: stored as its code page forms, or
    // refused with the characters named, never replaced by "?".
    const QString typed(reinterpret_cast<const QChar*>(input.data()), input.size() / 2);
    const Expected<QByteArray> encoded = cp932::encode(typed);
    findings.require(encoded.hasValue() == cp932::canEncode(typed),
                     u"encode and canEncode disagree"_s);
    if (encoded)
        findings.require(cp932::decode(*encoded) == cp932::withCodePageForms(typed),
                         u"the typed text does not come back"_s);
    else
        findings.require(encoded.error().contains(u"保存できない文字"_s),
                         u"a refusal that does not say why: "_s + encoded.error());
    return findings.first();
}

std::optional<QString> checkRosterInput(QByteArrayView input)
{
    Findings findings;
    const QString path = placeInput(u"名簿.txt"_s, input);
    const Expected<QStringList> names = roster::readRosterInput(path);
    if (!names) {
        findings.requireNamed(names.error(), path);
        return findings.first();
    }
    for (const QString& name : *names)
        findings.require(!name.contains(u'\r') && !name.contains(u'\n'),
                         u"a name holds a line break"_s);
    // Saving what the file gave either keeps every name or refuses, naming the roster file.
    const QString saved = scratchWorkspace().path(workspace::paths::rosterFile());
    removeFile(workspace::paths::rosterFile());
    const workspace::Status written = workspace::writeRoster(saved, *names);
    if (!written) {
        findings.requireNamed(written.error(), saved);
        return findings.first();
    }
    const Expected<QStringList> again = workspace::readRoster(saved);
    if (names->size() <= workspace::kMaxSheets) {
        const QStringList expected = names->isEmpty() ? QStringList{QString()} : *names;
        findings.require(again && *again == expected, u"saved names read back differently"_s);
    }
    return findings.first();
}

} // namespace fuzzing
