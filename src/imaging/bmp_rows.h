// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QSize>

#include <optional>

namespace imaging {

// The pixel rows of an uncompressed 24-bit BMP held in memory, read in place. Cutting needs only
// the rows its regions cover; decoding a whole 200-dpi sheet first would cost more than the cutting
// itself.
class BmpRows {
public:
    // Nothing unless the bytes hold a whole uncompressed 24-bit BMP, the layout the workspace
    // writes; other files go through loadPicture.
    [[nodiscard]] static std::optional<BmpRows> fromBytes(QByteArrayView bytes);

    [[nodiscard]] QSize size() const { return {m_width, m_height}; }
    // Row y counted from the top, as blue, green, red bytes.
    [[nodiscard]] const uchar* row(int y) const
    {
        return m_pixels + m_stride * (m_bottomUp ? m_height - 1 - y : y);
    }

private:
    const uchar* m_pixels = nullptr;
    qsizetype m_stride = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_bottomUp = true;
};

} // namespace imaging
