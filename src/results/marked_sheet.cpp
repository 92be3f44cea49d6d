#include "marked_sheet.h"

#include "imaging/bmp_saving.h"
#include "imaging/picture_loading.h"
#include "mark_painter.h"

namespace results {

workspace::Expected<imaging::SheetSurface> drawMarkedSheet(const workspace::Workspace& workFolder,
                                                           const ResultPlan& plan, int sheetIndex) {
    const int sheet = sheetIndex + 1;
    workspace::Expected<QImage> picture =
        imaging::loadPicture(workFolder.path(workspace::paths::sheetImage(sheet)));
    if (!picture)
        return workspace::Failure{picture.error()};
    imaging::SheetSurface surface = imaging::SheetSurface::fromPicture(*picture);
    paintMarks(surface.image(),
               sheetMarks(plan.markInput(sheetIndex, surface.sizeTwips().width())));
    if (workspace::Status saved = imaging::saveBmp(
            surface.image(), workFolder.path(workspace::paths::markedSheet(sheet)));
        !saved)
        return workspace::Failure{saved.error()};
    return surface;
}

} // namespace results
