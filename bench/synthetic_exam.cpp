// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthetic_exam.h"

#include "imaging/derived_bmp_saving.h"
#include "workspace/field_table_file.h"
#include "workspace/folders.h"
#include "workspace/region_file.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace bench {

namespace {

void drawStrokes(QImage& image, quint32 seed, int strokes)
{
    QRandomGenerator random(seed);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(30, 30, 40), 3));
    for (int stroke = 0; stroke < strokes; ++stroke) {
        QPainterPath path(QPointF(random.bounded(image.width()), random.bounded(image.height())));
        for (int segment = 0; segment < 4; ++segment)
            path.lineTo(path.currentPosition()
                        + QPointF(random.bounded(61) - 30, random.bounded(61) - 30));
        painter.drawPath(path);
    }
}

void require(const workspace::Status& status)
{
    if (!status)
        throw std::runtime_error(status.error().toStdString());
}

} // namespace

QImage syntheticSheet(int number, QSize size)
{
    QImage sheet(size, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        painter.setPen(QPen(Qt::black, 2));
        for (int y = size.height() / 20; y < size.height(); y += size.height() / 20)
            painter.drawLine(40, y, size.width() - 40, y);
    }
    drawStrokes(sheet, static_cast<quint32>(number), size.width() * size.height() / 4000);
    return sheet;
}

void writeScans(const QString& folder, int count, QSize size, int quality)
{
    QDir().mkpath(folder);
    for (int number = 1; number <= count; ++number) {
        const QString path =
            QDir(folder).filePath(u"scan%1.jpg"_s.arg(number, 3, 10, QLatin1Char('0')));
        if (!syntheticSheet(number, size).save(path, "JPEG", quality))
            throw std::runtime_error("cannot write scan");
    }
}

void writeSheets(const workspace::Workspace& workspace, int count, QSize size)
{
    require(workspace::ensureFolder(workspace.path(workspace::paths::sheetFolder())));
    for (int number = 1; number <= count; ++number)
        require(imaging::saveDerivedBmp(syntheticSheet(number, size),
                                        workspace.path(workspace::paths::sheetImage(number))));
}

QList<workspace::RegionRect> syntheticRegions(int count, QSize sheetSize, QSize regionSize)
{
    QList<workspace::RegionRect> regions;
    const int rows = (count + 1) / 2;
    const int pitch =
        std::max(regionSize.height() + 10, (sheetSize.height() - 100) / std::max(rows, 1));
    for (int index = 0; index < count; ++index) {
        const int left = 50 + (index % 2) * (sheetSize.width() / 2);
        const int top = 50 + (index / 2) * pitch;
        regions.append({static_cast<qint16>(left), static_cast<qint16>(top + regionSize.height()),
                        static_cast<qint16>(left + regionSize.width()), static_cast<qint16>(top)});
    }
    return regions;
}

void writeGradingFiles(const workspace::Workspace& workspace,
                       const QList<workspace::RegionRect>& regions, int sheetCount)
{
    require(workspace::ensureFolder(workspace.path(workspace::paths::dataFolder())));
    require(workspace::writeRegions(workspace.path(workspace::paths::regionFile()), regions));
    const QStringList comments = {u"よく書けています"_s, u"単位を忘れずに"_s, u"途中式を書こう"_s};
    QList<QStringList> scoreRows;
    QList<QStringList> commentRows;
    for (int sheet = 1; sheet <= sheetCount; ++sheet) {
        QStringList scores;
        QStringList sheetComments;
        for (int region = 1; region <= regions.size(); ++region) {
            const int mix = sheet * 7 + region * 3;
            scores.append(mix % 4 == 0 ? u"2.5"_s : QString::number(mix % 6));
            sheetComments.append((sheet + region) % 2 == 0 ? comments[mix % comments.size()]
                                                           : QString());
        }
        scoreRows.append(scores);
        commentRows.append(sheetComments);
    }
    require(workspace::writeFieldTable(workspace.path(workspace::paths::scoreFile()), scoreRows));
    require(
        workspace::writeFieldTable(workspace.path(workspace::paths::commentFile()), commentRows));
}

void writeCutouts(const workspace::Workspace& workspace,
                  const QList<workspace::RegionRect>& regions, int sheetCount,
                  const QList<int>& onlyRegions)
{
    require(workspace::ensureFolder(workspace.path(workspace::paths::dataFolder())));
    require(workspace::writeRegions(workspace.path(workspace::paths::regionFile()), regions));
    for (int region = 1; region <= regions.size(); ++region) {
        if (!onlyRegions.isEmpty() && !onlyRegions.contains(region))
            continue;
        require(workspace::ensureFolder(workspace.path(workspace::paths::cutoutFolder(region))));
        const QSize size(regions[region - 1].width(), regions[region - 1].height());
        for (int sheet = 1; sheet <= sheetCount; ++sheet) {
            QImage cutout(size, QImage::Format_RGB32);
            cutout.fill(Qt::white);
            drawStrokes(cutout, static_cast<quint32>(region * 1000 + sheet),
                        size.width() * size.height() / 4000);
            require(imaging::saveDerivedBmp(
                cutout, workspace.path(workspace::paths::cutoutImage(region, sheet))));
        }
    }
}

} // namespace bench
