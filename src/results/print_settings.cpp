#include "print_settings.h"

#include "workspace/rounding.h"
#include "workspace/units.h"

using namespace Qt::Literals::StringLiterals;

namespace results {

namespace {

constexpr qint16 kA4 = 9;
constexpr qint16 kA3 = 8;
constexpr qint16 kB4 = 12;
constexpr qint16 kB5 = 13;
constexpr qint16 kPortrait = 1;
constexpr qint16 kLandscape = 2;

int rounded(double value)
{
    return static_cast<int>(workspace::roundHalfEven(value));
}

} // namespace

std::optional<qint16> paperSizeCode(QStringView item)
{
    if (item == u"A4"_s)
        return kA4;
    if (item == u"A3"_s)
        return kA3;
    if (item == u"B4"_s)
        return kB4;
    if (item == u"B5"_s)
        return kB5;
    return std::nullopt;
}

std::optional<qint16> orientationCode(QStringView item)
{
    if (item == u"縦"_s)
        return kPortrait;
    if (item == u"横"_s)
        return kLandscape;
    return std::nullopt;
}

std::optional<QPageSize> pageSizeForCode(qint16 Psize)
{
    switch (Psize) {
    case kA4: return QPageSize(QPageSize::A4);
    case kA3: return QPageSize(QPageSize::A3);
    case kB4: return QPageSize(QPageSize::JisB4);
    case kB5: return QPageSize(QPageSize::JisB5);
    default: return std::nullopt;
    }
}

std::optional<QPageLayout::Orientation> orientationForCode(qint16 Porient)
{
    if (Porient == kPortrait)
        return QPageLayout::Portrait;
    if (Porient == kLandscape)
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
