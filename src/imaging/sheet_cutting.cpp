// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_cutting.h"

#include "bmp_rows.h"
#include "cutout.h"
#include "derived_bmp_saving.h"
#include "picture_loading.h"
#include "workspace/atomic_file.h"
#include "workspace/file_messages.h"

using namespace Qt::Literals::StringLiterals;

namespace imaging {

namespace {

QString unusableRegion(int number, const workspace::RegionRect& region)
{
    if (region.width() == 0 || region.height() == 0)
        return u"領域%1の幅か高さが0です。"_s.arg(number);
    return u"領域%1が大きすぎます（%2 × %3 画素）。"_s.arg(
        QString::number(number), QString::number(region.width()), QString::number(region.height()));
}

template <typename Sheet>
workspace::Status cutAll(const Sheet& sheet, const workspace::Workspace& workspace, int sheetNumber,
                         const QList<workspace::RegionRect>& regions)
{
    workspace::Status result;
    for (int region = 1; region <= regions.size(); ++region) {
        const QString path = workspace.path(workspace::paths::cutoutImage(region, sheetNumber));
        const QImage cutout = cutOut(sheet, regions[region - 1]);
        workspace::Status saved = cutout.isNull()
                                      ? workspace::Failure{workspace::messages::cannotWrite(
                                          path, unusableRegion(region, regions[region - 1]))}
                                      : saveDerivedBmp(cutout, path);
        if (!saved && result.ok())
            result = saved;
    }
    return result;
}

} // namespace

workspace::Status cutSheet(const workspace::Workspace& workspace, int sheet,
                           const QList<workspace::RegionRect>& regions)
{
    const QString path = workspace.path(workspace::paths::sheetImage(sheet));
    // Read, not mapped: a mapped file that vanishes (a removed stick) ends the program.
    if (const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path)) {
        if (const std::optional<BmpRows> rows = BmpRows::fromBytes(*bytes))
            return cutAll(*rows, workspace, sheet, regions);
    }
    workspace::Expected<QImage> picture = loadPicture(path);
    if (!picture)
        return workspace::Failure{picture.error()};
    return cutAll(*picture, workspace, sheet, regions);
}

} // namespace imaging
