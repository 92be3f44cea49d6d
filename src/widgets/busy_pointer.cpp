// SPDX-License-Identifier: GPL-3.0-or-later
#include "busy_pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace widgets {

BusyPointer::BusyPointer()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyPointer::~BusyPointer()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace widgets
