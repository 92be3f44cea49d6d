// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPointF>
#include <QTransform>

namespace sample_exam {

// Where a sheet lies in its scan: shifted (in pixels), turned about its centre (in degrees,
// clockwise on the screen), enlarged or shrunk by a copier, and maybe fed upside down.
struct Placement {
    QPointF shift;
    double degrees = 0;
    double scale = 1;
    bool upsideDown = false;
};

// Maps a point of the page to where the scan shows it.
[[nodiscard]] QTransform placementTransform(const Placement& placement, QSize page);

// How a careless document feeder lays a sheet: shifted by up to 8 mm either way, turned by up to
// 2 degrees. The same seed gives the same placement.
[[nodiscard]] Placement feederPlacement(quint32 seed, int dotsPerInch);

// The page as a flatbed scanner returns it: turned by a fraction of a degree and shifted by a
// few pixels, on off-white paper, with sensor noise and a few specks of dust, marked with the
// page's resolution. The same seed gives the same scan.
[[nodiscard]] QImage scanned(const QImage& page, quint32 seed, int dotsPerInch);
// The same with the page laid where the placement says instead.
[[nodiscard]] QImage scanned(const QImage& page, quint32 seed, int dotsPerInch,
                             const Placement& placement);

} // namespace sample_exam
