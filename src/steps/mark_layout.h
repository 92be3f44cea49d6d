// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/region_rect.h"

#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace steps {

// One red text on a marked sheet: its top-left corner in sheet pixels and its size in points
// at 96 dots per inch.
struct MarkText {
    QString text;
    QPointF topLeft;
    double pointSize = 0.0;

    friend bool operator==(const MarkText&, const MarkText&) = default;
};

// Whether region 1 is scored on the marked sheets: while a roster exists it is the name field.
enum class RegionOne { Scored, NameField };

// The size unit of every drawn text: the picture's longer side in hundredths of a millimetre
// at 96 dots per inch, divided by 2000, halves to even. A sheet 2339 pixels high gives 31.
[[nodiscard]] int markUnit(QSize picturePixels);

// Where a sheet's rank stands: "3/40位".
struct RankMark {
    qint32 rank = 0;
    int sheetCount = 0;
};

// What is drawn on one sheet.
struct SheetMarkInput {
    QList<workspace::RegionRect> regions;
    QStringList scores;   // the sheet's score fields; missing ones count as empty
    QStringList comments; // the sheet's comment fields; missing ones count as empty
    int unit = 0;
    double surfaceWidthTwips = 0.0;
    RegionOne regionOne = RegionOne::Scored;
    std::optional<RankMark> rank; // nothing when the rank is not shown
};

// The texts of one marked sheet, in drawing order: for each region its score (full-width
// followed by "点", near the right edge and vertically centred) and its comment (along the
// top edge, indented by 4u); then the total of the scores drawn ("85点") at the top right in
// 2u, and the rank below it in 1.5u when asked for.
[[nodiscard]] QList<MarkText> sheetMarks(const SheetMarkInput& input);

// The total drawn on a sheet: the scores of the regions drawn, so without region 1 while it
// is the name field, and without fields beyond the last region. Nothing when it leaves the
// signed 32-bit range.
[[nodiscard]] std::optional<qint32> drawnTotal(const QStringList& scores, int regionCount,
                                               RegionOne regionOne);

} // namespace steps
