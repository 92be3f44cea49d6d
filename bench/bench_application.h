// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace bench {

// The application a benchmark runs in: offscreen unless a platform is named, with the program's
// font and image limits, so that figures are those of the program.
class BenchApplication : public QApplication {
public:
    BenchApplication(int& argc, char** argv);
};

} // namespace bench
