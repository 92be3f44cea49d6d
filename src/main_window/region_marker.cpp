// SPDX-License-Identifier: GPL-3.0-or-later
#include "region_marker.h"

namespace main_window {

std::optional<RegionMarker::Corners> RegionMarker::press(QPoint displayPixel)
{
    if (!hasFirstCorner()) {
        m_firstCorner = displayPixel;
        return std::nullopt;
    }
    const Corners corners{m_firstCorner, displayPixel};
    m_firstCorner = QPoint();
    return corners;
}

} // namespace main_window
