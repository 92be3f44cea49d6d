#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QSizeF>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace results {

// The print settings the main window keeps between uses of "8.答案印刷", with the platform's
// paper-size and orientation codes.
struct PrintSettings {
    bool onlyFlg = false; // print only the sheet on view
    qint16 Psize = 0;     // 9 A4, 8 A3, 12 JIS B4, 13 JIS B5; 0 until first chosen
    qint16 Porient = 0;   // 1 portrait, 2 landscape; 0 until first chosen
    bool Pcancel = false; // the dialog was cancelled

    friend bool operator==(const PrintSettings&, const PrintSettings&) = default;
};

// "A4" 9, "A3" 8, "B4" 12, "B5" 13; nothing for any other text.
[[nodiscard]] std::optional<qint16> paperSizeCode(QStringView item);
// "縦" 1, "横" 2; nothing for any other text.
[[nodiscard]] std::optional<qint16> orientationCode(QStringView item);

// The page size of a paper-size code. B4 and B5 are the Japanese sizes (257 × 364 and
// 182 × 257 mm), not the ISO ones.
[[nodiscard]] std::optional<QPageSize> pageSizeForCode(qint16 Psize);
[[nodiscard]] std::optional<QPageLayout::Orientation> orientationForCode(qint16 Porient);

// A picture's size in twips, 15 twips a pixel, each side rounded halves to even.
[[nodiscard]] QSize sheetTwips(QSize picturePixels);

// The printed size in twips of a sheet of sheetTwips on a page of pageTwips: scaled by the
// smaller of page height / sheet height and page width / sheet width, each side rounded halves
// to even. 24810 × 35085 on 11000 × 15500 gives 10961 × 15500. Empty for an empty sheet.
[[nodiscard]] QSize printedSizeTwips(QSize sheetTwips, QSizeF pageTwips);

} // namespace results
