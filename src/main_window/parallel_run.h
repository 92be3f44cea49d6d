#pragma once

#include "workspace/expected.h"

#include <QList>

#include <functional>

namespace main_window {

// Runs work(0) … work(count − 1) on one thread per core while the calling thread keeps
// handling its events, and returns the results in index order. progress(done) is called on the
// calling thread as items finish. The work must be safe to run on several threads at once.
[[nodiscard]] QList<workspace::Status>
runInParallel(int count, const std::function<workspace::Status(int index)>& work,
              const std::function<void(int done)>& progress);

} // namespace main_window
