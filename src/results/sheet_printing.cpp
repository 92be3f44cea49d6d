// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_printing.h"

#include "workspace/limits.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace results {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerInch = 1440.0;

workspace::Failure printFailure(const QString& sheetName)
{
    return {u"「%1」を印刷できませんでした。プリンタの状態を確かめてください。"_s.arg(
        workspace::displayPath(sheetName))};
}

} // namespace

workspace::Status printSheet(PrintDestination& destination, const QImage& picture,
                             const PrintSettings& settings, const QString& sheetName)
{
    std::unique_ptr<QPrinter> printer =
        destination.newJob(u"%1 %2"_s.arg(workspace::applicationTitle(), sheetName));
    if (!printer)
        return printFailure(sheetName);
    if (settings.paper)
        printer->setPageSize(*settings.paper);
    if (settings.orientation)
        printer->setPageOrientation(*settings.orientation);

    const QSizeF pageTwips = printer->pageRect(QPrinter::Point).size() * kTwipsPerPoint;
    const QSize printed = printedSizeTwips(sheetTwips(picture.size()), pageTwips);
    QPainter painter;
    if (!painter.begin(printer.get()))
        return printFailure(sheetName);
    const double devicePerTwip = printer->resolution() / kTwipsPerInch;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRectF(0, 0, printed.width() * devicePerTwip, printed.height() * devicePerTwip), picture);
    if (!painter.end())
        return printFailure(sheetName);
    return {};
}

QStringList markedSheetFiles(const workspace::Workspace& workFolder)
{
    const QDir folder(workFolder.path(workspace::paths::markedFolder()));
    QStringList files;
    for (const QString& name : folder.entryList({u"*.bmp"_s}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

} // namespace results
