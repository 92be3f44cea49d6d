// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_browser.h"

#include "workspace/numeric_text.h"
#include "workspace/rounding.h"

#include <limits>

namespace results {

namespace {

// No file is numbered below 1.
bool markedSheetExists(int sheet, const ResultBrowser::SheetExists& exists)
{
    return sheet >= 1 && exists(sheet);
}

} // namespace

BrowseStep ResultBrowser::previous(const SheetExists& exists)
{
    m_resultNumber = m_resultNumber <= 1 ? qint16(1) : qint16(m_resultNumber - 1);
    if (!markedSheetExists(m_resultNumber, exists))
        return {};
    return {m_resultNumber, NumberBox::ShowNumber};
}

BrowseStep ResultBrowser::next(const SheetExists& exists)
{
    if (m_resultNumber == std::numeric_limits<qint16>::max())
        return {};
    const qint16 candidate = qint16(m_resultNumber + 1);
    if (!markedSheetExists(candidate, exists))
        return {};
    m_resultNumber = candidate;
    return {m_resultNumber, NumberBox::ShowNumber};
}

BrowseStep ResultBrowser::jump(QStringView typed, const SheetExists& exists)
{
    if (!workspace::isNumericText(typed))
        return {};
    // A number beyond the 16-bit range names no sheet; it clears the box like a missing one.
    const std::optional<qint16> number = workspace::toInt16(workspace::leadingNumberValue(typed));
    if (!number)
        return {std::nullopt, NumberBox::Clear};
    m_resultNumber = *number;
    if (!markedSheetExists(m_resultNumber, exists))
        return {std::nullopt, NumberBox::Clear};
    return {m_resultNumber, NumberBox::Keep};
}

} // namespace results
