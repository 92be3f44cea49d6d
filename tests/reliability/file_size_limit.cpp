// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_size_limit.h"

#include <stdexcept>

namespace test_support {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    // Without this the kernel ends the process at the first write past the limit.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    if (sigaction(SIGXFSZ, &ignore, &m_previousAction) != 0
        || getrlimit(RLIMIT_FSIZE, &m_previousLimit) != 0)
        throw std::runtime_error("cannot limit the file size");
    rlimit limit = m_previousLimit;
    limit.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("cannot limit the file size");
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previousLimit);
    sigaction(SIGXFSZ, &m_previousAction, nullptr);
}

} // namespace test_support
