// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_settings.h"

#include "workspace/rounding.h"
#include "workspace/units.h"

using namespace Qt::Literals::StringLiterals;

namespace results {

namespace {

int rounded(double value)
{
    return static_cast<int>(workspace::roundHalfEven(value));
}

} // namespace

std::optional<QPageSize> paperForItem(QStringView item)
{
    if (item == u"A4"_s)
        return QPageSize(QPageSize::A4);
    if (item == u"A3"_s)
        return QPageSize(QPageSize::A3);
    if (item == u"B4"_s)
        return QPageSize(QPageSize::JisB4);
    if (item == u"B5"_s)
        return QPageSize(QPageSize::JisB5);
    return std::nullopt;
}

std::optional<QPageLayout::Orientation> orientationForItem(QStringView item)
{
    if (item == u"縦"_s)
        return QPageLayout::Portrait;
    if (item == u"横"_s)
        return QPageLayout::Landscape;
    return std::nullopt;
}

QSize sheetTwips(QSize picturePixels)
{
    return {rounded(picturePixels.width() * workspace::kTwipsPerPixel),
            rounded(picturePixels.height() * workspace::kTwipsPerPixel)};
}

QSize printedSizeTwips(QSize sheetTwips, QSizeF pageTwips)
{
    if (sheetTwips.isEmpty())
        return {};
    const double heightRatio = pageTwips.height() / sheetTwips.height();
    const double widthRatio = pageTwips.width() / sheetTwips.width();
    const double scale = heightRatio >= widthRatio ? widthRatio : heightRatio;
    return {rounded(scale * sheetTwips.width()), rounded(scale * sheetTwips.height())};
}

} // namespace results
