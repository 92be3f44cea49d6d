// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/region_rect.h"
#include "workspace/workspace_paths.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// A made-up examination for the benchmarks: scanned-looking sheets, a grid of answer regions,
// cut-outs and score files, at the sizes teachers use.
namespace bench {

// A4 at 200 dots per inch.
inline constexpr QSize kA4At200Dpi{1654, 2339};

// A white sheet with dark handwriting-like strokes that differ from sheet to sheet, so that
// JPEG sizes and decoding times are those of real scans.
[[nodiscard]] QImage syntheticSheet(int number, QSize size);

// Writes scan001.jpg … into the folder at the given JPEG quality.
void writeScans(const QString& folder, int count, QSize size, int quality);

// Writes touan/001.bmp … into the workspace.
void writeSheets(const workspace::Workspace& workspace, int count, QSize size);

// `count` regions of regionSize laid out down the sheet in two columns, region 1 at the top
// left as a name field would be.
[[nodiscard]] QList<workspace::RegionRect> syntheticRegions(int count, QSize sheetSize,
                                                            QSize regionSize);

// Writes ini/zahyo.txt for the regions, and ini/haiten.txt and ini/comment.txt as the grading
// window saves them: every answer scored (whole and half points), a comment on every other one.
void writeGradingFiles(const workspace::Workspace& workspace,
                       const QList<workspace::RegionRect>& regions, int sheetCount);

// Writes ini/zahyo.txt and furiwake/RRR/SSS.bmp for the regions and sheets (the cut-outs are
// drawn directly, not cut from sheets). With onlyRegions, only those regions get cut-outs: a
// benchmark of one region need not fill the disk with the others.
void writeCutouts(const workspace::Workspace& workspace,
                  const QList<workspace::RegionRect>& regions, int sheetCount,
                  const QList<int>& onlyRegions = {});

} // namespace bench
