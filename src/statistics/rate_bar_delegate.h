// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace statistics {

// Draws a cell's share (a number from 0 to 1 under rateRole) as a bar between its background and
// its text.
class RateBarDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int rateRole = Qt::UserRole + 1;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

} // namespace statistics
