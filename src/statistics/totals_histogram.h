// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "histogram_bins.h"

#include <QList>
#include <QWidget>

namespace statistics {

// A plain bar chart of how many sheets reached each range of totals.
class TotalsHistogram : public QWidget {
    Q_OBJECT

public:
    explicit TotalsHistogram(QWidget* parent = nullptr);

    void setTotals(const QList<qint32>& totals);
    [[nodiscard]] const QList<HistogramBin>& bins() const { return m_bins; }

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<HistogramBin> m_bins;
};

} // namespace statistics
