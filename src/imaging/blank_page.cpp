// SPDX-License-Identifier: GPL-3.0-or-later
#include "blank_page.h"

#include "bmp_rows.h"

#include <QtEndian>

#include <algorithm>
#include <vector>

namespace imaging {

// A 32-bit QImage holds blue, green and red in its first three bytes only on such a machine.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);

namespace {

// The margin left out on every side, as a share of the page's width or height: wide enough for
// the punch holes and the edge shadow of an A4 sheet.
constexpr int kMarginDivisor = 12;
// Blocks across the page's short side: about half a millimetre on an A4 scan, the width of a
// pen's stroke, so that a stroke darkens whole blocks and a speck of dust one at most.
constexpr int kBlocksAcrossShortSide = 400;
// Mean brightness (0 to 255) below which a block counts as ink. Show-through from the other
// side of the sheet and a grey paper stay above it.
constexpr int kInkBrightness = 160;
// The ink a blank page may carry, as a share of its blocks: one in two thousand, about 20 mm²
// on A4, less than a written name.
constexpr int kBlocksPerInkedBlock = 2000;

// Ink flags of one row of blocks.
using BlockRow = std::vector<char>;

struct Grid {
    int left = 0;
    int top = 0;
    int block = 0;
    int columns = 0;
    int rows = 0;
};

void judgeRow(const PixelRows& pixels, const Grid& grid, int blockRow, BlockRow& inked)
{
    // Every second pixel of every second row: a stroke spans several, a block's mean is kept.
    const int samplesPerSide = (grid.block + 1) / 2;
    const int threshold = kInkBrightness * 4 * samplesPerSide * samplesPerSide;
    std::vector<int> sums(grid.columns, 0);
    const int firstY = grid.top + blockRow * grid.block;
    for (int y = firstY; y < firstY + grid.block; y += 2) {
        const uchar* row = pixels.row(y) + qsizetype(grid.left) * pixels.pixelStep;
        for (int column = 0; column < grid.columns; ++column) {
            const uchar* pixel = row + qsizetype(column) * grid.block * pixels.pixelStep;
            int sum = 0;
            for (int x = 0; x < grid.block; x += 2, pixel += 2 * pixels.pixelStep)
                sum += pixel[0] + 2 * pixel[1] + pixel[2];
            sums[column] += sum;
        }
    }
    for (int column = 0; column < grid.columns; ++column)
        inked[column] = sums[column] < threshold;
}

// The inked blocks of the middle row that have an inked neighbour: ink, not dust.
int countInk(const BlockRow& above, const BlockRow& middle, const BlockRow& below)
{
    const int columns = static_cast<int>(middle.size());
    int count = 0;
    for (int column = 0; column < columns; ++column) {
        if (!middle[column])
            continue;
        const int from = std::max(0, column - 1);
        const int to = std::min(columns - 1, column + 1);
        bool neighbour = false;
        for (int other = from; other <= to && !neighbour; ++other)
            neighbour = above[other] || below[other] || (other != column && middle[other]);
        count += neighbour;
    }
    return count;
}

} // namespace

bool isBlankPage(const PixelRows& pixels)
{
    const int width = pixels.size.width();
    const int height = pixels.size.height();
    Grid grid;
    grid.block = std::max(2, std::min(width, height) / kBlocksAcrossShortSide);
    grid.left = width / kMarginDivisor;
    grid.top = height / kMarginDivisor;
    grid.columns = (width - 2 * grid.left) / grid.block;
    grid.rows = (height - 2 * grid.top) / grid.block;
    if (grid.columns < 3 || grid.rows < 3)
        return false;
    const qint64 allowed = qint64(grid.columns) * grid.rows / kBlocksPerInkedBlock;

    BlockRow above(grid.columns, 0);
    BlockRow middle(grid.columns, 0);
    BlockRow below(grid.columns, 0);
    judgeRow(pixels, grid, 0, middle);
    qint64 ink = 0;
    for (int blockRow = 0; blockRow < grid.rows; ++blockRow) {
        if (blockRow + 1 < grid.rows)
            judgeRow(pixels, grid, blockRow + 1, below);
        else
            std::fill(below.begin(), below.end(), 0);
        ink += countInk(above, middle, below);
        if (ink > allowed)
            return false;
        std::swap(above, middle);
        std::swap(middle, below);
    }
    return true;
}

bool isBlankPage(const BmpRows& rows)
{
    return isBlankPage(PixelRows{rows.size(), 3, [&rows](int y) { return rows.row(y); }});
}

bool isBlankPage(const QImage& image)
{
    if (image.format() == QImage::Format_BGR888)
        return isBlankPage(
            PixelRows{image.size(), 3, [&image](int y) { return image.constScanLine(y); }});
    const QImage pixels =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    return isBlankPage(
        PixelRows{pixels.size(), 4, [&pixels](int y) { return pixels.constScanLine(y); }});
}

} // namespace imaging
