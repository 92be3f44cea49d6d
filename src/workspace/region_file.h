// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "expected.h"
#include "region_rect.h"

#include <QList>
#include <QString>

namespace workspace {

// ini/zahyo.txt: one line "left,bottom,right,top" per region in drawing order, plain decimal
// signed 16-bit integers. An empty file means no regions.

// Fails naming the file (by `name`) and line on a line that is not four 16-bit integers, or on a
// 102nd region.
[[nodiscard]] Expected<QList<RegionRect>> decodeRegions(const QByteArray& bytes,
                                                        const QString& name);
[[nodiscard]] Expected<QList<RegionRect>> readRegions(const QString& path);

Status writeRegions(const QString& path, const QList<RegionRect>& regions);

[[nodiscard]] QString regionLine(const RegionRect& rect);

} // namespace workspace
