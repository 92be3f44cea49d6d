// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/units.h"

#include <QRectF>
#include <QString>
#include <QWidget>

namespace widgets {

// A button, box or label of the windows' fixed designs: its caption, its objectName and its
// place given in twips.
template <typename Control>
Control* makeDesignedControl(QWidget* parent, const QString& objectName, const QString& caption,
                             const QRectF& designTwips)
{
    auto* control = new Control(caption, parent);
    control->setObjectName(objectName);
    control->setGeometry(workspace::twipsToPixels(designTwips));
    return control;
}

} // namespace widgets
