// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QSizeF>

namespace grading {

enum class CommentDisplay { Hidden, Shown };

// What the layout of one region's page depends on.
struct GridMetrics {
    int answerWidth = 0;  // sheet pixels: |right − left| of the region
    int answerHeight = 0; // sheet pixels: |bottom − top|
    float zoom = 1.0f;
    int columns = 1; // at least 1
    CommentDisplay comments = CommentDisplay::Hidden;
};

// The six controls of one answer cell on the canvas, in twips.
struct CellGeometry {
    QRectF image;
    QRectF frame;
    QRectF scoreBox;
    QRectF unitLabel;
    QRectF nameLabel;
    QRectF commentBox;
};

// Fixed sizes of the cell's boxes and labels, in twips.
inline constexpr QSizeF kScoreBoxSize{345, 285};
inline constexpr QSizeF kCommentBoxSize{1725, 315};
inline constexpr QSizeF kUnitLabelSize{195, 195};
inline constexpr QSizeF kNameLabelSize{780, 195};

// Twips between one cell's image and the next column's: room for the score box and "点", and
// with comments shown also for the name and the comment box.
[[nodiscard]] int columnGap(CommentDisplay comments);

// Twips from one row to the next: (h + 5) × 15.5 × zoom when the zoomed height (single
// precision) exceeds 40, otherwise the fixed 45 × 15.1 = 679.5 whatever the zoom.
[[nodiscard]] double rowPitch(int answerHeight, float zoom);

// The cell at position counter p (the p-th shown cell from 0; −1 before the first), placed
// row by row in `columns` columns. Integer products are exact: a region wider than 2184
// pixels or a column count past 16 lays out where the arithmetic puts it, without wrapping.
[[nodiscard]] CellGeometry cellGeometry(const GridMetrics& metrics, int position);

// The bottom-right corner, in twips, of the controls a shown cell displays.
[[nodiscard]] QPointF cellExtent(const CellGeometry& geometry, CommentDisplay comments);

} // namespace grading
