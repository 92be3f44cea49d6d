// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg_to_bmp.h"

#include "bmp_codec.h"

#include "picture_loading.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace imaging {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void leaveOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings are counted in num_warnings and judged afterwards, not printed.
void ignoreMessage(j_common_ptr, int) {}

bool endsWithEndMarker(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    return bytes.endsWith("\xFF\xD9");
}

// Only trivially destructible objects live here: libjpeg leaves through longjmp on an error.
bool decode(jpeg_decompress_struct& info, ErrorManager& errors, QByteArrayView jpeg,
            QByteArray& bmp)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()),
                 static_cast<unsigned long>(jpeg.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (info.jpeg_color_space != JCS_GRAYSCALE && info.jpeg_color_space != JCS_YCbCr
        && info.jpeg_color_space != JCS_RGB)
        return false;
    const int width = static_cast<int>(info.image_width);
    const int height = static_cast<int>(info.image_height);
    if (width <= 0 || height <= 0 || qint64(width) * height > kMaxPicturePixels)
        return false;
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    if (static_cast<int>(info.output_width) != width
        || static_cast<int>(info.output_height) != height || info.output_components != 3)
        return false;

    const qsizetype stride = (qsizetype(width) * 24 + 31) / 32 * 4;
    const qsizetype pixelBytes = stride * height;
    bmp.resize(kBmpHeadersSize + pixelBytes);
    auto* data = reinterpret_cast<uchar*>(bmp.data());
    std::memcpy(data, bmpHeaders(width, height).constData(), kBmpHeadersSize);
    uchar* pixels = data + kBmpHeadersSize;
    // The padding at the end of each row stays zero; the rows fill in from the bottom up.
    for (qsizetype row = 0; row < height; ++row)
        std::fill(pixels + stride * row + qsizetype(width) * 3, pixels + stride * (row + 1), 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * (height - 1 - info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return info.err->num_warnings == 0;
}

} // namespace

std::optional<QByteArray> jpegToBmp(QByteArrayView jpeg)
{
    if (jpeg.size() < 4 || !jpeg.startsWith("\xFF\xD8") || !endsWithEndMarker(jpeg))
        return std::nullopt;
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveOnError;
    errors.base.emit_message = ignoreMessage;
    jpeg_create_decompress(&info);
    QByteArray bmp;
    const bool decoded = decode(info, errors, jpeg, bmp);
    jpeg_destroy_decompress(&info);
    if (!decoded)
        return std::nullopt;
    return bmp;
}

} // namespace imaging
