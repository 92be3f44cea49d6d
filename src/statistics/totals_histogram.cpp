// SPDX-License-Identifier: GPL-3.0-or-later
#include "totals_histogram.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace statistics {

namespace {

// Eleven, so that a test out of 100 shows bins of ten with 100 in a bin of its own.
constexpr int kMaxBins = 11;
constexpr int kMargin = 4;

QString rangeText(const HistogramBin& bin)
{
    return bin.lowest == bin.highest ? QString::number(bin.lowest)
                                     : u"%1–%2"_s.arg(bin.lowest).arg(bin.highest);
}

} // namespace

TotalsHistogram::TotalsHistogram(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"totalsHistogram"_s);
    setMinimumHeight(120);
}

void TotalsHistogram::setTotals(const QList<qint32>& totals)
{
    m_bins = histogramBins(totals, kMaxBins);
    update();
}

QSize TotalsHistogram::sizeHint() const
{
    return {420, 160};
}

void TotalsHistogram::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    if (m_bins.isEmpty())
        return;
    const QFontMetrics metrics = fontMetrics();
    const int textHeight = metrics.height();
    const QRect area =
        rect().adjusted(kMargin, kMargin + textHeight, -kMargin, -kMargin - textHeight);
    const int highestCount =
        std::max_element(m_bins.cbegin(), m_bins.cend(), [](const auto& first, const auto& second) {
            return first.count < second.count;
        })->count;
    const double slot = static_cast<double>(area.width()) / m_bins.size();
    for (int index = 0; index < m_bins.size(); ++index) {
        const HistogramBin& bin = m_bins[index];
        const int left = area.left() + static_cast<int>(index * slot);
        const int width = std::max(1, static_cast<int>(slot) - 2);
        const int height = highestCount == 0 ? 0 : area.height() * bin.count / highestCount;
        const QRect bar(left + 1, area.bottom() - height + 1, width, height);
        painter.fillRect(bar, palette().highlight());
        const QRect countBox(left, bar.top() - textHeight, static_cast<int>(slot), textHeight);
        painter.setPen(palette().text().color());
        painter.drawText(countBox, Qt::AlignHCenter | Qt::AlignBottom, QString::number(bin.count));
        const QRect rangeBox(left, area.bottom() + 1, static_cast<int>(slot), textHeight);
        painter.drawText(rangeBox, Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(rangeText(bin), Qt::ElideRight, rangeBox.width()));
    }
}

} // namespace statistics
