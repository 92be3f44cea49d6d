// SPDX-License-Identifier: GPL-3.0-or-later
#include "grid_layout.h"

#include "workspace/units.h"

#include <algorithm>

namespace grading {

namespace {

// Row of a position: floor division, so that the −1 before the first cell lies on row −1.
int rowOf(int position, int columns)
{
    return position >= 0 ? position / columns : -((-position + columns - 1) / columns);
}

} // namespace

int columnGap(CommentDisplay comments)
{
    return comments == CommentDisplay::Shown ? 2000 : 500;
}

double rowPitch(int answerHeight, float zoom)
{
    if (static_cast<float>(answerHeight) * zoom > 40.0f)
        return (answerHeight + 5) * workspace::kTwipsPerPixelRowPitch * double(zoom);
    return 45 * workspace::kTwipsPerPixelLayout;
}

CellGeometry cellGeometry(const GridMetrics& metrics, int position)
{
    const int columns = std::max(metrics.columns, 1);
    // The remainder keeps the sign of the position, so −1 gives column −1 as well.
    const int column = position % columns;
    const int row = rowOf(position, columns);
    const double zoom = metrics.zoom;
    const qint64 widthTwips = qint64(metrics.answerWidth) * 15;
    const qint64 heightTwips = qint64(metrics.answerHeight) * 15;

    CellGeometry cell;
    const double left = zoom * double(widthTwips * column) + 50
                        + double(qint64(column) * columnGap(metrics.comments));
    const double top = row * rowPitch(metrics.answerHeight, metrics.zoom) + 100;
    // Single precision, as the sizes were always computed.
    const double width = static_cast<float>(widthTwips) * metrics.zoom;
    const double height = static_cast<float>(heightTwips) * metrics.zoom;
    cell.image = QRectF(left, top, width, height);
    cell.frame = QRectF(left - 50, top - 60, width + 100, height + 100);
    cell.scoreBox = QRectF(QPointF(cell.image.right() + 50, top), kScoreBoxSize);
    if (metrics.comments == CommentDisplay::Shown)
        cell.unitLabel = QRectF(QPointF(cell.image.right() + kScoreBoxSize.width() + 100, top + 20),
                                kUnitLabelSize);
    else
        cell.unitLabel = QRectF(
            QPointF(cell.scoreBox.left() + kScoreBoxSize.width() / 3, cell.scoreBox.bottom() + 50),
            kUnitLabelSize);
    cell.nameLabel = QRectF(QPointF(cell.unitLabel.right() + 100, top + 20), kNameLabelSize);
    cell.commentBox =
        QRectF(QPointF(cell.image.right() + 50, cell.scoreBox.bottom() + 50), kCommentBoxSize);
    return cell;
}

QPointF cellExtent(const CellGeometry& geometry, CommentDisplay comments)
{
    QRectF bounds = geometry.frame | geometry.scoreBox | geometry.unitLabel;
    if (comments == CommentDisplay::Shown)
        bounds |= geometry.nameLabel | geometry.commentBox;
    return bounds.bottomRight();
}

} // namespace grading
