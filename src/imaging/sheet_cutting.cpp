// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_cutting.h"

#include "bmp_rows.h"
#include "cutout.h"
#include "derived_bmp_saving.h"
#include "picture_loading.h"
#include "workspace/atomic_file.h"
#include "workspace/file_messages.h"

#include <optional>

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

// Cuts and saves every region in turn; save(region, path) writes a region's cut-out, or gives
// nothing for a region that cannot be cut.
template <typename Save>
workspace::Status cutAll(const workspace::Workspace& workspace, int sheetNumber,
                         const QList<workspace::RegionRect>& regions, Save save)
{
    workspace::Status result;
    for (int region = 1; region <= regions.size(); ++region) {
        const QString path = workspace.path(workspace::paths::cutoutImage(region, sheetNumber));
        const std::optional<workspace::Status> saved = save(regions[region - 1], path);
        if (saved && *saved)
            continue;
        if (result.ok())
            result = saved ? *saved
                           : workspace::Failure{workspace::messages::cannotWrite(
                               path, unusableRegion(region, regions[region - 1]))};
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
            return cutAll(workspace, sheet, regions,
                          [&rows](const workspace::RegionRect& region,
                                  const QString& cutoutPath) -> std::optional<workspace::Status> {
                              const QByteArray cutout = cutOutBmp(*rows, region);
                              if (cutout.isEmpty())
                                  return std::nullopt;
                              return writeDerivedFile(cutoutPath, cutout);
                          });
    }
    workspace::Expected<QImage> picture = loadPicture(path);
    if (!picture)
        return workspace::Failure{picture.error()};
    return cutAll(workspace, sheet, regions,
                  [&picture](const workspace::RegionRect& region,
                             const QString& cutoutPath) -> std::optional<workspace::Status> {
                      const QImage cutout = cutOut(*picture, region);
                      if (cutout.isNull())
                          return std::nullopt;
                      return saveDerivedBmp(cutout, cutoutPath);
                  });
}

} // namespace imaging
