// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper_size.h"

#include <QList>

#include <cmath>

namespace steps {

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kScreenDotsPerInch = 96.0;
constexpr double kDefaultDotsPerInch = 200.0;
constexpr double kTolerance = 0.02;

// Portrait sizes in millimetres; B4 and B5 are the Japanese (JIS) sizes schools use.
constexpr QSizeF kPapers[] = {{210, 297}, {257, 364}, {297, 420}, {182, 257}};
constexpr double kUsualDotsPerInch[] = {200, 300, 150, 400, 600};

bool near(double pixels, double expected)
{
    return std::abs(pixels - expected) <= kTolerance * expected;
}

} // namespace

QSizeF paperSizePoints(QSize scanPixels, int pixelsPerMetre)
{
    const double fileDotsPerInch = pixelsPerMetre * kMillimetresPerInch / 1000.0;
    const bool known =
        fileDotsPerInch >= 1.0 && std::abs(fileDotsPerInch - kScreenDotsPerInch) >= 1.0;
    const QList<double> candidates =
        known ? QList<double>{fileDotsPerInch}
              : QList<double>(std::begin(kUsualDotsPerInch), std::end(kUsualDotsPerInch));
    for (const double dotsPerInch : candidates) {
        for (const QSizeF portrait : kPapers) {
            for (const QSizeF paper : {portrait, portrait.transposed()}) {
                const QSizeF expected = paper * (dotsPerInch / kMillimetresPerInch);
                if (near(scanPixels.width(), expected.width())
                    && near(scanPixels.height(), expected.height()))
                    return paper * (kPointsPerInch / kMillimetresPerInch);
            }
        }
    }
    return QSizeF(scanPixels) * (kPointsPerInch / (known ? fileDotsPerInch : kDefaultDotsPerInch));
}

} // namespace steps
