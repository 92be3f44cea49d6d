// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_drawing.h"

#include <QPainter>
#include <QRandomGenerator>

namespace test_support {

QImage drawnAnswer(Handwriting handwriting, int seed)
{
    QRandomGenerator random(quint32(seed) * 7919u + 13u);
    QImage image(200, 80, QImage::Format_RGB32);
    const int paper = 236 + int(random.bounded(14));
    image.fill(QColor(paper, paper, paper));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.translate(int(random.bounded(5)) - 2, int(random.bounded(5)) - 2);
    painter.setPen(QPen(QColor(25, 25, 25), 2));
    painter.drawRect(4, 4, 192, 72);
    painter.drawPolygon(QPolygon({QPoint(140, 65), QPoint(185, 65), QPoint(160, 20)}));
    painter.restore();

    const double size = 0.8 + random.generateDouble() * 0.4;
    const QPointF centre(55 + random.bounded(30), 38 + random.bounded(6));
    painter.setPen(
        QPen(handwriting == Handwriting::FaintStroke ? QColor(178, 178, 182) : QColor(50, 50, 60),
             3, Qt::SolidLine, Qt::RoundCap));
    switch (handwriting) {
    case Handwriting::None: break;
    case Handwriting::Stroke:
    case Handwriting::FaintStroke:
        painter.drawLine(centre + QPointF(-30, 2) * size, centre + QPointF(30, -2) * size);
        break;
    case Handwriting::Ring: painter.drawEllipse(centre, 18 * size, 18 * size); break;
    case Handwriting::Cross:
        painter.drawLine(centre + QPointF(-14, -18) * size, centre + QPointF(14, 18) * size);
        painter.drawLine(centre + QPointF(14, -18) * size, centre + QPointF(-14, 18) * size);
        break;
    }
    painter.end();

    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int value = std::clamp(qGray(row[x]) + int(random.bounded(13)) - 6, 0, 255);
            row[x] = qRgb(value, value, value);
        }
    }
    // Dust: single dark pixels and a few pairs.
    for (int speck = 0; speck < 5; ++speck) {
        const int x = 10 + int(random.bounded(170));
        const int y = 10 + int(random.bounded(60));
        image.setPixel(x, y, qRgb(40, 40, 40));
        if (speck % 2 == 0)
            image.setPixel(x + 1, y, qRgb(60, 60, 60));
    }
    return image;
}

} // namespace test_support
