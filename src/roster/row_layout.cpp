// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_layout.h"

#include "workspace/rounding.h"

#include <algorithm>

namespace roster {

namespace {

constexpr double kFirstRowTop = 10;
constexpr double kGap = 50;
constexpr double kFrameOutside = 50;
constexpr double kFrameAbove = 60;
constexpr double kFrameBelow = 40;

} // namespace

RowGeometry templateRow()
{
    return {kTemplateImage, kTemplateNameBox, kTemplateFrame};
}

QList<RowGeometry> layoutRows(const QList<QSizeF>& naturalSizes, float zoomFactor)
{
    QList<RowGeometry> rows;
    rows.reserve(naturalSizes.size());
    double top = kFirstRowTop;
    for (const QSizeF& natural : naturalSizes) {
        RowGeometry row;
        row.image = QRectF(kTemplateImage.left(), top, natural.width() * zoomFactor,
                           natural.height() * zoomFactor);
        top = workspace::roundHalfEven(row.image.height() + top + kGap);
        row.nameBox = QRectF(QPointF(row.image.right() + kGap, row.image.top() + kGap),
                             kTemplateNameBox.size());
        row.frame = QRectF(row.nameBox.left() - kFrameOutside, row.nameBox.top() - kFrameAbove,
                           row.nameBox.width() + 2 * kFrameOutside,
                           row.nameBox.height() + kFrameAbove + kFrameBelow);
        rows.append(row);
    }
    return rows;
}

double lowestEdge(const QList<RowGeometry>& rows)
{
    double lowest = 0;
    for (const RowGeometry& row : rows)
        lowest = std::max({lowest, row.image.bottom(), row.frame.bottom()});
    return lowest;
}

float enlargedZoom(float zoomFactor)
{
    return static_cast<float>(static_cast<double>(zoomFactor) * 1.1);
}

float reducedZoom(float zoomFactor)
{
    return static_cast<float>(static_cast<double>(zoomFactor) * 0.9);
}

} // namespace roster
