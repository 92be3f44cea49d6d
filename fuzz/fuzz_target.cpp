// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_checks.h"

#include "imaging/picture_loading.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// One libFuzzer target; MARUTSUKE_FUZZ_TARGET names the check it runs on every input.
namespace {

const fuzzing::FuzzTarget& fuzzTarget()
{
    static const fuzzing::FuzzTarget* target =
        fuzzing::findFuzzTarget(QLatin1StringView(MARUTSUKE_FUZZ_TARGET));
    if (!target) {
        std::fprintf(stderr, "no check named %s\n", MARUTSUKE_FUZZ_TARGET);
        std::abort();
    }
    return *target;
}

// Qt's image readers warn about every broken picture; thousands a second would slow the run.
void dropImageReaderWarnings(QtMsgType type, const QMessageLogContext& context,
                             const QString& message)
{
    if (QByteArrayView(context.category).startsWith("qt.gui.imageio"))
        return;
    std::fprintf(stderr, "%d %s\n", int(type), message.toLocal8Bit().constData());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qInstallMessageHandler(dropImageReaderWarnings);
    // The image plugins are found through the application, as in the program.
    static QCoreApplication application(*argc, *argv);
    imaging::configureImageReading();
    fuzzTarget();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<QString> problem = fuzzTarget().check(input)) {
        std::fprintf(stderr, "%s: %s\n", MARUTSUKE_FUZZ_TARGET, problem->toUtf8().constData());
        std::abort();
    }
    return 0;
}
