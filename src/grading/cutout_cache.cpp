// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutout_cache.h"

#include "imaging/picture_loading.h"

#include <QFileInfo>

#include <algorithm>

namespace grading {

namespace {

// The cache counts in kilobytes, which keeps a large budget within its int.
qsizetype costOf(const QPixmap& picture)
{
    return std::max<qsizetype>(1, qsizetype(picture.width()) * picture.height() * 4 / 1024);
}

} // namespace

CutoutCache::CutoutCache(qint64 budgetMegabytes)
    : m_entries(qsizetype(budgetMegabytes * 1024))
{
}

QPixmap CutoutCache::picture(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists()) {
        m_entries.remove(path);
        return {};
    }
    const qint64 fileSize = file.size();
    const QDateTime modified = file.lastModified();
    if (const Entry* entry = m_entries.object(path);
        entry && entry->fileSize == fileSize && entry->modified == modified)
        return entry->picture;

    ++m_decodeCount;
    workspace::Expected<QImage> image = imaging::loadPicture(path);
    auto entry = std::make_unique<Entry>();
    entry->fileSize = fileSize;
    entry->modified = modified;
    if (image)
        entry->picture = QPixmap::fromImage(std::move(image).value());
    QPixmap picture = entry->picture;
    m_entries.insert(path, entry.release(), costOf(picture));
    return picture;
}

} // namespace grading
