// SPDX-License-Identifier: GPL-3.0-or-later
#include "rate_bar_delegate.h"

#include <QPainter>

#include <algorithm>

namespace statistics {

void RateBarDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    if (const QVariant background = index.data(Qt::BackgroundRole); background.isValid())
        painter->fillRect(option.rect, background.value<QBrush>());
    if (const QVariant rate = index.data(rateRole); rate.isValid()) {
        QRect bar = option.rect.adjusted(2, 3, -2, -3);
        bar.setWidth(static_cast<int>(bar.width() * std::clamp(rate.toDouble(), 0.0, 1.0)));
        painter->fillRect(bar, QColor(120, 170, 230));
    }
    QStyledItemDelegate::paint(painter, option, index);
}

void RateBarDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The background is painted beneath the bar already; painted again it would hide the bar.
    option->backgroundBrush = Qt::NoBrush;
}

} // namespace statistics
