// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench_application.h"

#include "imaging/japanese_font.h"
#include "imaging/picture_loading.h"

#include <QFont>

using namespace Qt::Literals::StringLiterals;

namespace bench {

namespace {

int& withOffscreenDefault(int& argc)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

} // namespace

BenchApplication::BenchApplication(int& argc, char** argv)
    : QApplication(withOffscreenDefault(argc), argv)
{
    setFont(QFont(imaging::japaneseFontFamily(), 9));
    imaging::configureImageReading();
}

} // namespace bench
