// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"

#include <QList>

#include <functional>

namespace workspace {

// One piece of a long step: the work on sheet `index`.
using IndexedWork = std::function<Status(int index)>;

// Runs work(0) … work(count − 1), returning the results in index order.
using ParallelRunner = std::function<QList<Status>(int count, const IndexedWork& work)>;

// Runs work(0) … work(count − 1) on one thread per core while the calling thread keeps
// handling its events, and returns the results in index order. progress(done), when given, is
// called on the calling thread as items finish. The work must be safe to run on several threads
// at once.
[[nodiscard]] QList<Status> runInParallel(int count, const IndexedWork& work,
                                          const std::function<void(int done)>& progress = {});

} // namespace workspace
