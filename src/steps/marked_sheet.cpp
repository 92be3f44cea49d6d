// SPDX-License-Identifier: GPL-3.0-or-later
#include "marked_sheet.h"

#include "imaging/bmp_rows.h"
#include "imaging/derived_bmp_saving.h"
#include "imaging/picture_loading.h"
#include "imaging/sheet_surface.h"
#include "mark_painter.h"
#include "workspace/atomic_file.h"
#include "workspace/units.h"

#include <cstring>

namespace steps {

namespace {

// Copies the rows given by rowAt (blue, green and red bytes, top row first) onto a white surface.
template <typename RowAt> QImage whiteSurfaceWith(QSize picture, RowAt rowAt)
{
    QImage surface(imaging::SheetSurface::surfacePixels(picture), QImage::Format_BGR888);
    const size_t pictureBytes = size_t(picture.width()) * 3;
    const size_t surfaceBytes = size_t(surface.width()) * 3;
    // Each byte is written once: fresh pages cost more here than the copying itself.
    for (int y = 0; y < surface.height(); ++y) {
        uchar* row = surface.scanLine(y);
        const size_t copied = y < picture.height() ? pictureBytes : 0;
        if (copied)
            std::memcpy(row, rowAt(y), copied);
        std::memset(row + copied, 0xFF, surfaceBytes - copied);
    }
    return surface;
}

} // namespace

workspace::Expected<MarkedSheet> loadMarkingSurface(const QString& path)
{
    if (const workspace::Expected<QByteArray> bytes = workspace::readWholeFile(path)) {
        if (const std::optional<imaging::BmpRows> rows = imaging::BmpRows::fromBytes(*bytes))
            return MarkedSheet{whiteSurfaceWith(rows->size(), [&](int y) { return rows->row(y); }),
                               rows->size()};
    }
    workspace::Expected<QImage> picture = imaging::loadPicture(path);
    if (!picture)
        return workspace::Failure{picture.error()};
    const QImage source = picture->convertToFormat(QImage::Format_BGR888);
    return MarkedSheet{
        whiteSurfaceWith(source.size(), [&](int y) { return source.constScanLine(y); }),
        source.size()};
}

workspace::Expected<MarkedSheet> drawMarkedSheet(const workspace::Workspace& workFolder,
                                                 const ResultPlan& plan, int sheetIndex)
{
    const int sheet = sheetIndex + 1;
    workspace::Expected<MarkedSheet> marked =
        loadMarkingSurface(workFolder.path(workspace::paths::sheetImage(sheet)));
    if (!marked)
        return workspace::Failure{marked.error()};
    QImage& surface = marked.value().surface;
    const double surfaceWidthTwips = workspace::naturalTwips(marked->pictureSize.width());
    paintMarks(surface, sheetMarks(plan.markInput(sheetIndex, surfaceWidthTwips)));
    if (workspace::Status saved =
            imaging::saveDerivedBmp(surface, workFolder.path(workspace::paths::markedSheet(sheet)));
        !saved)
        return workspace::Failure{saved.error()};
    return marked;
}

} // namespace steps
