// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_listing.h"

#include <QDir>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

bool isAsciiDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

qsizetype digitRunEnd(QStringView text, qsizetype start)
{
    qsizetype end = start;
    while (end < text.size() && isAsciiDigit(text[end]))
        ++end;
    return end;
}

// Compares two runs of digits by value: without leading zeros the longer run is larger, and
// runs of equal length compare digit by digit.
int compareNumbers(QStringView first, QStringView second)
{
    auto significant = [](QStringView digits) {
        qsizetype zeros = 0;
        while (zeros < digits.size() - 1 && digits[zeros] == u'0')
            ++zeros;
        return digits.mid(zeros);
    };
    const QStringView a = significant(first);
    const QStringView b = significant(second);
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

// The natural comparison with case and leading zeros ignored; 0 when the names differ only in
// those.
int compareLoosely(QStringView first, QStringView second, int& zerosTieBreak)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < first.size() && j < second.size()) {
        if (isAsciiDigit(first[i]) && isAsciiDigit(second[j])) {
            const qsizetype endI = digitRunEnd(first, i);
            const qsizetype endJ = digitRunEnd(second, j);
            const QStringView a = first.mid(i, endI - i);
            const QStringView b = second.mid(j, endJ - j);
            if (const int order = compareNumbers(a, b); order != 0)
                return order;
            if (zerosTieBreak == 0 && a.size() != b.size())
                zerosTieBreak = a.size() < b.size() ? -1 : 1;
            i = endI;
            j = endJ;
            continue;
        }
        const QChar a = first[i].toCaseFolded();
        const QChar b = second[j].toCaseFolded();
        if (a != b)
            return a < b ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < first.size())
        return 1;
    if (j < second.size())
        return -1;
    return 0;
}

} // namespace

bool isScanFileName(QStringView name)
{
    const QString lower = name.toString().toLower();
    if (lower.contains(u".jpg"_s) || lower.contains(u".bmp"_s))
        return true;
    for (const QString& ending : {u".pdf"_s, u".tif"_s, u".tiff"_s, u".png"_s, u".jpeg"_s})
        if (lower.endsWith(ending))
            return true;
    return false;
}

bool naturalLess(QStringView first, QStringView second)
{
    int zerosTieBreak = 0;
    if (const int order = compareLoosely(first, second, zerosTieBreak); order != 0)
        return order < 0;
    if (zerosTieBreak != 0)
        return zerosTieBreak < 0;
    return first.compare(second) < 0;
}

QStringList listScans(const QString& folder)
{
    const QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files, QDir::NoSort);
    names.removeIf([](const QString& name) { return !isScanFileName(name); });
    std::sort(names.begin(), names.end(), [](const QString& first, const QString& second) {
        return naturalLess(first, second);
    });
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& name : names)
        paths.append(dir.filePath(name));
    return paths;
}

QList<imaging::ScanPage> listScanPages(const QString& folder)
{
    QList<imaging::ScanPage> pages;
    for (const QString& scan : listScans(folder))
        pages.append(imaging::scanPages(scan));
    return pages;
}

} // namespace steps
