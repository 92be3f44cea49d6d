// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <csignal>
#include <sys/resource.h>

namespace test_support {

// While it lives, no file of this process can grow beyond `bytes`: the write that would pass it
// comes back short and the next fails (EFBIG), the way writes fail on a full disk. It is the
// kernel's own limit, so every writer meets it where it writes, on every thread, without mount
// rights and as root too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previousLimit{};
    struct sigaction m_previousAction {};
};

} // namespace test_support
