// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/parallel_run.h"

#include <QList>
#include <QString>

class QWidget;

namespace widgets {

// Runs work(0) … work(count − 1) on every core under the busy pointer, with a modal progress
// dialog "label（k／N枚）" once the run takes more than a moment, and returns the results in
// index order. The window takes no input meanwhile.
[[nodiscard]] QList<workspace::Status> runWithProgress(QWidget* window, const QString& label,
                                                       int count,
                                                       const workspace::IndexedWork& work);

} // namespace widgets
