// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet_redrawing.h"

#include "bmp_codec.h"

#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Our own bilinear redraw rather than OpenCV's warpAffine: a moved sheet is redrawn while the
// import waits for it, and on a whole A4 page at 200 dpi this one takes about half the time.

namespace imaging {

namespace {

// Places on the scan in 1/65536 of a pixel; blending weights in 1/128 of one, fine enough that
// no colour is off by more than a level.
constexpr int kPlaceBits = 16;
constexpr int kWeightBits = 7;
constexpr int kWeightMask = (1 << kWeightBits) - 1;
constexpr int kHalfWeight = 1 << (kWeightBits - 1);
constexpr int kWhite = 255;

struct Scan {
    const uchar* rows = nullptr;
    qsizetype stride = 0;
    int width = 0;
    int height = 0;
};

// From one colour towards another by weight / 128, rounded: the vector path computes exactly
// this, lane by lane.
int blended(int from, int to, int weight)
{
    return from + (((to - from) * weight + kHalfWeight) >> kWeightBits);
}

int weightOf(qint64 place)
{
    return static_cast<int>(place >> (kPlaceBits - kWeightBits)) & kWeightMask;
}

// The scan's colour at a place, blended from its four neighbours, any of which may lie beyond
// its edges, where the paper is white.
template <int BytesPerPixel>
void blendAnywhere(const Scan& scan, qint64 x, qint64 y, uchar* out)
{
    const qint64 column = x >> kPlaceBits;
    const qint64 row = y >> kPlaceBits;
    const auto channel = [&scan](qint64 atColumn, qint64 atRow, int colour) -> int {
        if (atColumn < 0 || atRow < 0 || atColumn >= scan.width || atRow >= scan.height)
            return kWhite;
        return scan.rows[atRow * scan.stride + atColumn * BytesPerPixel + colour];
    };
    for (int colour = 0; colour < 3; ++colour) {
        const int left = blended(channel(column, row, colour), channel(column, row + 1, colour),
                                 weightOf(y));
        const int right = blended(channel(column + 1, row, colour),
                                  channel(column + 1, row + 1, colour), weightOf(y));
        out[colour] = static_cast<uchar>(blended(left, right, weightOf(x)));
    }
}

#if defined(__SSE2__)
// The same where the eight bytes from the pixel at the place, on its row and the next, lie
// within the scan's rows: the two pixels of each row in one register, a colour to each lane.
template <int BytesPerPixel>
void blendInside(const Scan& scan, qint64 x, qint64 y, uchar* out)
{
    const uchar* upper =
        scan.rows + (y >> kPlaceBits) * scan.stride + (x >> kPlaceBits) * BytesPerPixel;
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi16(kHalfWeight);
    const __m128i above =
        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper)), zero);
    const __m128i below = _mm_unpacklo_epi8(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper + scan.stride)), zero);
    const __m128i down = _mm_set1_epi16(static_cast<short>(weightOf(y)));
    const __m128i columns = _mm_add_epi16(
        above, _mm_srai_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(below, above), down),
                                            half),
                              kWeightBits));
    const __m128i right = _mm_srli_si128(columns, 2 * BytesPerPixel);
    const __m128i across = _mm_set1_epi16(static_cast<short>(weightOf(x)));
    const __m128i pixel = _mm_add_epi16(
        columns, _mm_srai_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_sub_epi16(right, columns), across),
                                              half),
                                kWeightBits));
    const int colours = _mm_cvtsi128_si32(_mm_packus_epi16(pixel, pixel));
    std::memcpy(out, &colours, 3);
}
#endif

// Every pixel (column, row) of the page, rows as they lie in memory, takes the scan's colour at
// pageToScan of it.
template <int BytesPerPixel>
void redraw(const Scan& scan, const QTransform& pageToScan, uchar* page, qsizetype pageStride,
            QSize pageSize)
{
    const auto fixed = [](double place) {
        return static_cast<qint64>(std::llround(std::ldexp(place, kPlaceBits)));
    };
    const qint64 stepX = fixed(pageToScan.m11());
    const qint64 stepY = fixed(pageToScan.m12());
#if defined(__SSE2__)
    // The last column whose eight bytes from it end within its row, and the last row with one
    // below it.
    const qint64 lastColumn = (qint64{scan.width} * BytesPerPixel - 8) / BytesPerPixel;
    const qint64 lastRow = scan.height - 2;
#endif
    for (int row = 0; row < pageSize.height(); ++row) {
        const QPointF start = pageToScan.map(QPointF(0, row));
        qint64 x = fixed(start.x());
        qint64 y = fixed(start.y());
        uchar* out = page + row * pageStride;
        for (int column = 0; column < pageSize.width(); ++column, x += stepX, y += stepY, out += 3) {
#if defined(__SSE2__)
            if (x >= 0 && y >= 0 && (x >> kPlaceBits) <= lastColumn && (y >> kPlaceBits) <= lastRow) {
                blendInside<BytesPerPixel>(scan, x, y, out);
                continue;
            }
#endif
            blendAnywhere<BytesPerPixel>(scan, x, y, out);
        }
    }
}

} // namespace

QByteArray alignedBmp(const SheetPixels& sheet, const QTransform& referenceToScan, QSize pageSize)
{
    const qsizetype stride = bmpStride(pageSize.width(), 24);
    const QByteArray headers = bmpHeaders(pageSize.width(), pageSize.height());
    QByteArray bmp(headers.size() + stride * pageSize.height(), Qt::Uninitialized);
    std::memcpy(bmp.data(), headers.constData(), headers.size());
    auto* page = reinterpret_cast<uchar*>(bmp.data()) + headers.size();
    // The redraw writes the pixels; the padding at each row's end is zeroed here, so that the
    // file holds nothing of what the memory held before.
    const qsizetype rowBytes = qsizetype{pageSize.width()} * 3;
    for (int row = 0; row < pageSize.height(); ++row)
        std::memset(page + row * stride + rowBytes, 0, stride - rowBytes);

    // Both pictures as they lie in memory: the page bottom-up, the scan as its rows come.
    const QTransform pageRows(1, 0, 0, -1, 0, pageSize.height() - 1);
    const QTransform scanRows =
        sheet.bottomUp ? QTransform(1, 0, 0, -1, 0, sheet.size.height() - 1) : QTransform();
    const QTransform pageToScan = pageRows * referenceToScan * scanRows;
    const Scan scan{sheet.rows, sheet.stride, sheet.size.width(), sheet.size.height()};
    if (sheet.bytesPerPixel == 4)
        redraw<4>(scan, pageToScan, page, stride, pageSize);
    else
        redraw<3>(scan, pageToScan, page, stride, pageSize);
    return bmp;
}

} // namespace imaging
