// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>

// Where the rows of the roster window go inside its canvas. All lengths are twips.
namespace roster {

// The index-0 row as designed; it stays so when there are no cut-outs to lay out.
inline constexpr QRectF kTemplateImage{45, 225, 4290, 645};
inline constexpr QRectF kTemplateNameBox{4410, 270, 1545, 285};
inline constexpr QRectF kTemplateFrame{4365, 180, 1635, 465};

// One row: the sheet's region-1 cut-out, its name box and the frame behind the box.
struct RowGeometry {
    QRectF image;
    QRectF nameBox;
    QRectF frame;

    friend bool operator==(const RowGeometry&, const RowGeometry&) = default;
};

// The template row as designed.
[[nodiscard]] RowGeometry templateRow();

// Rows for images of the given natural sizes (the image sizing rule), top to bottom from
// y = 10: each image is its natural size × zoom at left 45; the next row starts 50 below it,
// rounded to whole twips (halves to even). The name box sits 50 right of and 50 below the
// image's top-left corner; the frame sticks out 50 left and right, 60 above and 40 below it.
[[nodiscard]] QList<RowGeometry> layoutRows(const QList<QSizeF>& naturalSizes, float zoomFactor);

// The lowest edge of any image or frame of the rows.
[[nodiscard]] double lowestEdge(const QList<RowGeometry>& rows);

// The zoom factor after "拡大" (× 1.1) and after "縮小" (× 0.9), held in single precision as
// the window keeps it: the two do not cancel (one of each gives 0.99).
[[nodiscard]] float enlargedZoom(float zoomFactor);
[[nodiscard]] float reducedZoom(float zoomFactor);

} // namespace roster
