// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <functional>

namespace bench {

// Wall-clock seconds taken by the action.
[[nodiscard]] double secondsFor(const std::function<void()>& action);

// The best of `runs` timings: the least disturbed by the rest of the machine.
[[nodiscard]] double bestSecondsFor(int runs, const std::function<void()>& action);

// Peak resident memory of this process so far, in megabytes.
[[nodiscard]] double peakMemoryMegabytes();

// Prints "label: value unit" on its own line.
void report(const QString& label, double value, const QString& unit);

} // namespace bench
