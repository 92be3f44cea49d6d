// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCache>
#include <QDateTime>
#include <QPixmap>
#include <QString>

namespace grading {

// The answer cut-outs the grid shows, each decoded once and reused until its file changes
// (another size or modification time). Pictures that have not been shown for longest are
// dropped first when the cache holds more than its budget.
class CutoutCache {
public:
    explicit CutoutCache(qint64 budgetMegabytes = 1024);

    // The picture of the file; an empty picture when it is missing or cannot be read.
    [[nodiscard]] QPixmap picture(const QString& path);

    // How many files have been decoded so far.
    [[nodiscard]] int decodeCount() const { return m_decodeCount; }

private:
    struct Entry {
        QPixmap picture;
        qint64 fileSize = 0;
        QDateTime modified;
    };

    QCache<QString, Entry> m_entries;
    int m_decodeCount = 0;
};

} // namespace grading
