// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan_effects.h"

#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <optional>

namespace sample_exam {

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr double kMillimetresPerInch = 25.4;
constexpr QRgb kPaper = qRgb(250, 249, 244);

// Plain xorshift: the noise of a scan needs no quality of randomness, only speed.
class NoiseSource {
public:
    explicit NoiseSource(quint32 seed)
        : m_state(seed | 1u)
    {
    }

    // -amplitude … amplitude
    int next(int amplitude)
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<int>(m_state % static_cast<quint32>(2 * amplitude + 1)) - amplitude;
    }

private:
    quint32 m_state;
};

int clampedChannel(int value)
{
    return std::clamp(value, 0, 255);
}

void addPaperAndNoise(QImage& scan, quint32 seed)
{
    NoiseSource noise(seed);
    for (int y = 0; y < scan.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(scan.scanLine(y));
        for (int x = 0; x < scan.width(); ++x) {
            const QRgb pixel = row[x];
            const int grain = noise.next(3);
            row[x] = qRgb(clampedChannel(qRed(pixel) * qRed(kPaper) / 255 + grain),
                          clampedChannel(qGreen(pixel) * qGreen(kPaper) / 255 + grain),
                          clampedChannel(qBlue(pixel) * qBlue(kPaper) / 255 + grain));
        }
    }
}

void addDust(QImage& scan, QRandomGenerator& random)
{
    QPainter painter(&scan);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int specks = 6 + random.bounded(10);
    for (int speck = 0; speck < specks; ++speck) {
        painter.setBrush(QColor(90, 90, 90, 120 + random.bounded(100)));
        const double radius = 0.8 + random.generateDouble() * 1.4;
        painter.drawEllipse(QPointF(random.bounded(scan.width()), random.bounded(scan.height())),
                            radius, radius);
    }
}

QImage scanOf(const QImage& page, quint32 seed, int dotsPerInch, QRandomGenerator& random,
              const std::optional<Placement>& placement)
{
    QImage scan(page.size(), QImage::Format_RGB32);
    scan.fill(Qt::white);
    {
        QPainter painter(&scan);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        if (placement) {
            painter.setTransform(placementTransform(*placement, page.size()));
        } else {
            const QPointF centre = QRectF(page.rect()).center();
            painter.translate(centre + QPointF(random.bounded(13) - 6, random.bounded(13) - 6));
            painter.rotate((random.generateDouble() - 0.5) * 0.6);
            painter.translate(-centre);
        }
        painter.drawImage(0, 0, page);
    }
    addPaperAndNoise(scan, seed);
    addDust(scan, random);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / kMetresPerInch));
    scan.setDotsPerMeterX(dotsPerMetre);
    scan.setDotsPerMeterY(dotsPerMetre);
    return scan;
}

} // namespace

QTransform placementTransform(const Placement& placement, QSize page)
{
    const QPointF centre = QRectF(QPointF(0, 0), QSizeF(page)).center();
    QTransform transform;
    transform.translate(centre.x() + placement.shift.x(), centre.y() + placement.shift.y());
    transform.rotate(placement.degrees + (placement.upsideDown ? 180 : 0));
    transform.scale(placement.scale, placement.scale);
    transform.translate(-centre.x(), -centre.y());
    return transform;
}

Placement feederPlacement(quint32 seed, int dotsPerInch)
{
    constexpr double kMaxShiftMillimetres = 8;
    constexpr double kMaxDegrees = 2;
    QRandomGenerator random(seed * 2246822519u + 7u);
    const double maxShift = kMaxShiftMillimetres / kMillimetresPerInch * dotsPerInch;
    Placement placement;
    placement.shift = QPointF((2 * random.generateDouble() - 1) * maxShift,
                              (2 * random.generateDouble() - 1) * maxShift);
    placement.degrees = (2 * random.generateDouble() - 1) * kMaxDegrees;
    return placement;
}

QImage scanned(const QImage& page, quint32 seed, int dotsPerInch)
{
    QRandomGenerator random(seed * 2654435761u + 1u);
    return scanOf(page, seed, dotsPerInch, random, std::nullopt);
}

QImage scanned(const QImage& page, quint32 seed, int dotsPerInch, const Placement& placement)
{
    QRandomGenerator random(seed * 2654435761u + 1u);
    return scanOf(page, seed, dotsPerInch, random, placement);
}

} // namespace sample_exam
