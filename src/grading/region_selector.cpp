// SPDX-License-Identifier: GPL-3.0-or-later
#include "region_selector.h"

#include "workspace/full_width.h"

#include <QMouseEvent>

using namespace Qt::Literals::StringLiterals;

namespace grading {

RegionSelector::RegionSelector(int region, QWidget* parent)
    : QLabel(u"問"_s + workspace::fullWidth(QString::number(region)), parent)
{
    setObjectName(u"Label1"_s);
    setProperty("index", region - 1);
    setAutoFillBackground(true);
}

void RegionSelector::setBackground(const QColor& colour)
{
    if (colour == background())
        return;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    setPalette(colours);
}

QColor RegionSelector::background() const
{
    return palette().color(QPalette::Window);
}

void RegionSelector::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void RegionSelector::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace grading
