// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "limits.h"

#include <QList>
#include <QtGlobal>

#include <array>
#include <cstdlib>

namespace workspace {

// An answer region in sheet pixels, origin at the sheet's top-left, y downward, so that
// bottom > top as the system writes it.
struct RegionRect {
    qint16 left = 0;
    qint16 bottom = 0;
    qint16 right = 0;
    qint16 top = 0;

    int width() const { return std::abs(right - left); }
    int height() const { return std::abs(bottom - top); }

    friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

// The four region tables indexed by region number 1 … regionCount (entry 0 holds nothing), as
// the main window and the grading window keep them.
struct RegionTables {
    qint16 regionCount = 0;
    std::array<qint16, kMaxRegions + 1> regionLeft{};
    std::array<qint16, kMaxRegions + 1> regionBottom{};
    std::array<qint16, kMaxRegions + 1> regionRight{};
    std::array<qint16, kMaxRegions + 1> regionTop{};

    [[nodiscard]] bool isFull() const { return regionCount >= kMaxRegions; }
    [[nodiscard]] RegionRect region(int number) const;
    void setRegion(int number, const RegionRect& rect);

    // Adds a region after the last one; false (nothing changed) when the tables are full.
    bool append(const RegionRect& rect);
    // Clears the last region's entries and lowers the count; nothing happens at count 0.
    void removeLast();

    [[nodiscard]] QList<RegionRect> regions() const;
    [[nodiscard]] static RegionTables fromRegions(const QList<RegionRect>& regions);
};

} // namespace workspace
