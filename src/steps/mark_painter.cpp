// SPDX-License-Identifier: GPL-3.0-or-later
#include "mark_painter.h"

#include "imaging/japanese_font.h"
#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

// 96 dots per inch.
constexpr int kDotsPerMetre = 3780;

} // namespace

QFont markFont(double pointSize)
{
    QFont font(imaging::japaneseFontFamily());
    font.setBold(true);
    font.setPointSizeF(pointSize);
    return font;
}

void paintMarks(QImage& image, const QList<MarkText>& marks)
{
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    QPainter painter(&image);
    painter.setPen(QColor(255, 0, 0));
    for (const MarkText& mark : marks) {
        if (mark.pointSize <= 0)
            continue;
        painter.setFont(markFont(mark.pointSize));
        // QPainter places text on its baseline; the mark's point is the top of the line.
        const double ascent = QFontMetricsF(painter.font(), &image).ascent();
        painter.drawText(mark.topLeft + QPointF(0, ascent), mark.text);
    }
}

} // namespace steps
