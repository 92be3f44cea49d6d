// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace grading {

// A region selector (Label1): "問" and the region number in full-width digits, on a background
// that tells whether the region is fully graded or current.
class RegionSelector : public QLabel {
    Q_OBJECT

public:
    RegionSelector(int region, QWidget* parent);

    void setBackground(const QColor& colour);
    [[nodiscard]] QColor background() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace grading
