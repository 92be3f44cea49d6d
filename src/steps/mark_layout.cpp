// SPDX-License-Identifier: GPL-3.0-or-later
#include "mark_layout.h"

#include "totals_and_ranks.h"
#include "workspace/full_width.h"
#include "workspace/rounding.h"
#include "workspace/units.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace steps {

namespace {

// The total and the rank stand this far below the sheet's top edge, in pixels.
constexpr double kTopMargin = 20.0;

bool scoresRegion(int region, RegionOne regionOne)
{
    return region != 1 || regionOne == RegionOne::Scored;
}

} // namespace

int markUnit(QSize picturePixels)
{
    const int longerSide = std::max(picturePixels.width(), picturePixels.height());
    return static_cast<int>(
        workspace::roundHalfEven(workspace::himetricFromPixels(longerSide) / 2000.0));
}

std::optional<qint32> drawnTotal(const QStringList& scores, int regionCount, RegionOne regionOne)
{
    RunningTotal total;
    for (int region = 1; region <= regionCount; ++region) {
        if (scoresRegion(region, regionOne))
            total.add(scores.value(region - 1));
    }
    if (!total.fits())
        return std::nullopt;
    return total.value();
}

QList<MarkText> sheetMarks(const SheetMarkInput& input)
{
    const double unit = input.unit;
    QList<MarkText> marks;
    for (int region = 1; region <= input.regions.size(); ++region) {
        const workspace::RegionRect& rect = input.regions[region - 1];
        if (scoresRegion(region, input.regionOne)) {
            marks.append({workspace::fullWidth(input.scores.value(region - 1)) + u"点"_s,
                          {rect.right - 2 * unit, (rect.bottom + rect.top - unit) / 2.0},
                          unit});
        }
        const QString comment = input.comments.value(region - 1);
        if (!comment.isEmpty())
            marks.append({comment, {rect.left + 4 * unit, double(rect.top)}, unit});
    }

    const double sheetWidth = input.surfaceWidthTwips / workspace::kTwipsPerPixelLayout;
    const double right = sheetWidth - 12 * unit;
    const qint32 total =
        drawnTotal(input.scores, static_cast<int>(input.regions.size()), input.regionOne)
            .value_or(0);
    marks.append({QString::number(total) + u"点"_s, {right, kTopMargin}, 2 * unit});
    if (input.rank) {
        marks.append({u"%1/%2位"_s.arg(QString::number(input.rank->rank),
                                       QString::number(input.rank->sheetCount)),
                      {right, 2.5 * unit + kTopMargin},
                      1.5 * unit});
    }
    return marks;
}

} // namespace steps
