// SPDX-License-Identifier: GPL-3.0-or-later
#include "handwriting.h"

#include "imaging/japanese_font.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTransform>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace sample_exam {

namespace {

// A smooth displacement field: the strokes bend gently instead of jittering point by point.
class Waver {
public:
    Waver(const Hand& hand, QRandomGenerator& random)
        : m_amplitude(hand.wobble)
        , m_length(hand.wobbleLength)
    {
        for (double& phase : m_phases)
            phase = random.bounded(2 * M_PI);
    }

    [[nodiscard]] QPointF displaced(QPointF point) const
    {
        const double x = point.x() / m_length;
        const double y = point.y() / m_length;
        return point
               + m_amplitude
                     * QPointF(std::sin(x * 1.3 + m_phases[0]) * std::cos(y * 0.9 + m_phases[1]),
                               std::cos(x * 0.8 + m_phases[2]) * std::sin(y * 1.1 + m_phases[3]));
    }

private:
    double m_amplitude;
    double m_length;
    double m_phases[4] = {};
};

QPainterPath wavered(const QPainterPath& path, const Waver& waver)
{
    QPainterPath result = path;
    for (int index = 0; index < result.elementCount(); ++index) {
        const QPainterPath::Element element = result.elementAt(index);
        const QPointF moved = waver.displaced(QPointF(element.x, element.y));
        result.setElementPositionAt(index, moved.x(), moved.y());
    }
    return result;
}

// Ink that a pen or pencil leaves unevenly: the hand's colour with a grain of lighter spots.
QBrush grainyInk(const QColor& ink, quint32 seed)
{
    constexpr int kGrainSize = 64;
    QImage grain(kGrainSize, kGrainSize, QImage::Format_ARGB32_Premultiplied);
    QRandomGenerator random(seed);
    for (int y = 0; y < kGrainSize; ++y)
        for (int x = 0; x < kGrainSize; ++x) {
            QColor spot = ink;
            spot.setAlpha(170 + random.bounded(86));
            grain.setPixelColor(x, y, spot);
        }
    return QBrush(grain);
}

double spread(QRandomGenerator& random, double width)
{
    return (random.generateDouble() * 2 - 1) * width;
}

} // namespace

Hand Hand::forWriter(quint32 writer)
{
    QRandomGenerator random(writer * 7919u + 17u);
    Hand hand;
    hand.letterSize = 56 + random.bounded(18);
    hand.slant = spread(random, 0.14) + 0.06;
    hand.lineTilt = spread(random, 2.5);
    hand.wobble = 1.6 + random.generateDouble() * 1.8;
    hand.wobbleLength = 9 + random.bounded(9);
    hand.unevenness = 0.05 + random.generateDouble() * 0.06;
    hand.spacing = 0.9 + random.generateDouble() * 0.22;
    hand.thinning = 0.6 + random.generateDouble() * 0.8;
    const QColor inks[] = {QColor(60, 60, 66), QColor(40, 44, 90), QColor(35, 35, 38),
                           QColor(85, 85, 92)};
    hand.ink = inks[random.bounded(4)];
    hand.seed = writer;
    return hand;
}

void writeByHand(QPainter& painter, const QString& text, QPointF baselineStart, const Hand& hand)
{
    QRandomGenerator random(hand.seed * 104729u + static_cast<quint32>(qHash(text)));
    const Waver waver(hand, random);
    QFont font(imaging::japaneseFontFamily());
    // A kanji's ink fills about 0.88 of the em.
    font.setPixelSize(qRound(hand.letterSize / 0.88));
    const QFontMetricsF metrics(font);

    QPainterPath line;
    line.setFillRule(Qt::WindingFill);
    double pen = 0;
    for (const QChar letter : text) {
        if (letter.isSpace()) {
            // A hand leaves a narrower gap than a printed full-width space.
            pen += metrics.horizontalAdvance(letter) * hand.spacing * 0.45;
            continue;
        }
        QPainterPath glyph;
        glyph.addText(0, 0, font, QString(letter));
        const double scale = 1 + spread(random, hand.unevenness * 1.5);
        QTransform place;
        place.translate(pen, spread(random, hand.unevenness * hand.letterSize * 0.5));
        place.rotate(spread(random, hand.unevenness * 70));
        place.scale(scale * (1 + spread(random, hand.unevenness)), scale);
        line.addPath(place.map(glyph));
        pen += metrics.horizontalAdvance(letter) * hand.spacing * scale;
    }

    QTransform slantAndTilt;
    slantAndTilt.translate(baselineStart.x(), baselineStart.y());
    slantAndTilt.rotate(-hand.lineTilt);
    slantAndTilt.shear(-hand.slant, 0);
    const QPainterPath written = slantAndTilt.map(wavered(line, waver));

    // The printed strokes are thicker than a pencil's: the letters are filled on a layer of
    // their own and their outline is then rubbed off, which thins every stroke evenly.
    const QRect area = written.boundingRect().toAlignedRect().adjusted(-4, -4, 4, 4);
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter layerPainter(&layer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        layerPainter.translate(-area.topLeft());
        layerPainter.fillPath(written, grainyInk(hand.ink, hand.seed));
        layerPainter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        layerPainter.strokePath(written, QPen(Qt::black, hand.thinning * 2, Qt::SolidLine,
                                              Qt::RoundCap, Qt::RoundJoin));
    }
    painter.drawImage(area.topLeft(), layer);
}

} // namespace sample_exam
