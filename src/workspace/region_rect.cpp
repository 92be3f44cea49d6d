// SPDX-License-Identifier: GPL-3.0-or-later
#include "region_rect.h"

namespace workspace {

RegionRect RegionTables::region(int number) const
{
    return {regionLeft[number], regionBottom[number], regionRight[number], regionTop[number]};
}

void RegionTables::setRegion(int number, const RegionRect& rect)
{
    regionLeft[number] = rect.left;
    regionBottom[number] = rect.bottom;
    regionRight[number] = rect.right;
    regionTop[number] = rect.top;
}

bool RegionTables::append(const RegionRect& rect)
{
    if (isFull())
        return false;
    ++regionCount;
    setRegion(regionCount, rect);
    return true;
}

void RegionTables::removeLast()
{
    if (regionCount == 0)
        return;
    setRegion(regionCount, RegionRect{});
    --regionCount;
}

QList<RegionRect> RegionTables::regions() const
{
    QList<RegionRect> result;
    for (int number = 1; number <= regionCount; ++number)
        result.append(region(number));
    return result;
}

RegionTables RegionTables::fromRegions(const QList<RegionRect>& regions)
{
    RegionTables tables;
    for (const RegionRect& rect : regions)
        if (!tables.append(rect))
            break;
    return tables;
}

} // namespace workspace
