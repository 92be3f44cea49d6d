#include "sheet_cutting.h"

#include "bmp_saving.h"
#include "cutout.h"
#include "picture_loading.h"
#include "workspace/file_messages.h"

using namespace Qt::Literals::StringLiterals;

namespace imaging {

workspace::Status cutSheet(const workspace::Workspace& workspace, int sheet,
                           const QList<workspace::RegionRect>& regions) {
    workspace::Expected<QImage> picture =
        loadPicture(workspace.path(workspace::paths::sheetImage(sheet)));
    if (!picture)
        return workspace::Failure{picture.error()};
    workspace::Status result;
    for (int region = 1; region <= regions.size(); ++region) {
        const QString path = workspace.path(workspace::paths::cutoutImage(region, sheet));
        const QImage cutout = cutOut(*picture, regions[region - 1]);
        workspace::Status saved = cutout.isNull()
                                      ? workspace::Failure{workspace::messages::cannotWrite(
                                            path, u"領域%1の幅か高さが0です。"_s.arg(region))}
                                      : saveBmp(cutout, path);
        if (!saved && result.ok())
            result = saved;
    }
    return result;
}

} // namespace imaging
