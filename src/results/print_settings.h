// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QSizeF>
#include <QStringView>

#include <optional>

namespace results {

// What "8.答案印刷" prints: every marked sheet, or only the picture on view.
enum class PrintScope { MarkedSheets, ShownPicture };

// The choices of the print settings dialog, kept by the main window between uses of
// "8.答案印刷". Paper and orientation stay unset until the dialog is first confirmed; the
// printer's own then apply.
struct PrintSettings {
    PrintScope scope = PrintScope::MarkedSheets;
    std::optional<QPageSize> paper;
    std::optional<QPageLayout::Orientation> orientation;

    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

// The paper of a list item: "A4", "A3", "B4", "B5", where B4 and B5 are the Japanese sizes
// (257 × 364 and 182 × 257 mm), not the ISO ones; nothing for any other text.
[[nodiscard]] std::optional<QPageSize> paperForItem(QStringView item);
// "縦" portrait, "横" landscape; nothing for any other text.
[[nodiscard]] std::optional<QPageLayout::Orientation> orientationForItem(QStringView item);

// A picture's size in twips, 15 twips a pixel, each side rounded halves to even.
[[nodiscard]] QSize sheetTwips(QSize picturePixels);

// The printed size in twips of a sheet of sheetTwips on a page of pageTwips: scaled by the
// smaller of page height / sheet height and page width / sheet width, each side rounded halves
// to even. 24810 × 35085 on 11000 × 15500 gives 10961 × 15500. Empty for an empty sheet.
[[nodiscard]] QSize printedSizeTwips(QSize sheetTwips, QSizeF pageTwips);

} // namespace results
