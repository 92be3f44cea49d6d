#include "marked_sheet.h"

#include "imaging/derived_bmp_saving.h"
#include "imaging/picture_loading.h"
#include "imaging/sheet_surface.h"
#include "mark_painter.h"
#include "workspace/units.h"

#include <cstring>

namespace results {

QImage markingSurface(const QImage& picture)
{
    const QImage source = picture.format() == QImage::Format_BGR888
                              ? picture
                              : picture.convertToFormat(QImage::Format_BGR888);
    QImage surface(imaging::SheetSurface::surfacePixels(source.size()), QImage::Format_BGR888);
    surface.fill(Qt::white);
    const size_t rowBytes = size_t(source.width()) * 3;
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(surface.scanLine(y), source.constScanLine(y), rowBytes);
    return surface;
}

workspace::Expected<MarkedSheet> drawMarkedSheet(const workspace::Workspace& workFolder,
                                                 const ResultPlan& plan, int sheetIndex)
{
    const int sheet = sheetIndex + 1;
    workspace::Expected<QImage> picture =
        imaging::loadPicture(workFolder.path(workspace::paths::sheetImage(sheet)));
    if (!picture)
        return workspace::Failure{picture.error()};
    QImage surface = markingSurface(*picture);
    const double surfaceWidthTwips = workspace::naturalTwips(picture->width());
    paintMarks(surface, sheetMarks(plan.markInput(sheetIndex, surfaceWidthTwips)));
    if (workspace::Status saved =
            imaging::saveDerivedBmp(surface, workFolder.path(workspace::paths::markedSheet(sheet)));
        !saved)
        return workspace::Failure{saved.error()};
    return MarkedSheet{surface, picture->size()};
}

} // namespace results
