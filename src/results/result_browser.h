// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace results {

// What the number box Text1 does after a browsing step.
enum class NumberBox { Keep, ShowNumber, Clear };

struct BrowseStep {
    std::optional<int> shownSheet; // the marked sheet to show, nothing to leave the view alone
    NumberBox numberBox = NumberBox::Keep;

    friend bool operator==(const BrowseStep&, const BrowseStep&) = default;
};

// The result viewer's rules: resultNumber is the sheet number last asked for, 0 at start and
// after a reset; the buttons and the typed number move it as "<< 7.採点結果",
// "7.採点結果 >>" and Enter in Text1 do.
class ResultBrowser {
public:
    using SheetExists = std::function<bool(int sheet)>;

    // Back by one, never below 1. The number stays even when that sheet does not exist.
    [[nodiscard]] BrowseStep previous(const SheetExists& exists);
    // On by one, only when that sheet exists.
    [[nodiscard]] BrowseStep next(const SheetExists& exists);
    // The typed number, rounded halves to even; text that is not a number does nothing. A
    // missing sheet clears the box but keeps the number, so that the buttons go on from there.
    [[nodiscard]] BrowseStep jump(QStringView typed, const SheetExists& exists);

    [[nodiscard]] qint16 resultNumber() const { return m_resultNumber; }
    void reset() { m_resultNumber = 0; }

private:
    qint16 m_resultNumber = 0;
};

} // namespace results
