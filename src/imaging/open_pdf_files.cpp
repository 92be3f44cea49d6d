// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_pdf_files.h"

#include <QThread>

#include <algorithm>

namespace imaging {

std::unique_ptr<OpenPdf> OpenPdfFiles::take(const QString& path)
{
    const std::lock_guard lock(m_mutex);
    const auto found = std::find_if(m_idle.begin(), m_idle.end(),
                                    [&path](const auto& idle) { return idle.first == path; });
    if (found == m_idle.end())
        return nullptr;
    std::unique_ptr<OpenPdf> pdf = std::move(found->second);
    m_idle.erase(found);
    return pdf;
}

void OpenPdfFiles::giveBack(const QString& path, std::unique_ptr<OpenPdf> pdf)
{
    // Two per thread: each thread may be between two files.
    const std::size_t kept = std::size_t(std::max(1, QThread::idealThreadCount())) * 2;
    // Closed once the lock is released.
    std::unique_ptr<OpenPdf> dropped;
    const std::lock_guard lock(m_mutex);
    m_idle.emplace_front(path, std::move(pdf));
    if (m_idle.size() > kept) {
        dropped = std::move(m_idle.back().second);
        m_idle.pop_back();
    }
}

void OpenPdfFiles::close()
{
    const std::lock_guard lock(m_mutex);
    m_idle.clear();
}

} // namespace imaging
