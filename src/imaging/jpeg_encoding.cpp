// SPDX-License-Identifier: GPL-3.0-or-later
#include "jpeg_encoding.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
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

void ignoreMessage(j_common_ptr, int) {}

// Only trivially destructible objects live here: libjpeg leaves through longjmp on an error.
bool compress(jpeg_compress_struct& info, ErrorManager& errors, QSize size, const BgrRowAt& rowAt,
              int quality, unsigned char*& output, unsigned long& outputSize)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_mem_dest(&info, &output, &outputSize);
    info.image_width = static_cast<JDIMENSION>(size.width());
    info.image_height = static_cast<JDIMENSION>(size.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int component = 0; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = 1;
        info.comp_info[component].v_samp_factor = 1;
    }
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg takes rows as non-const but only reads them.
        JSAMPROW row = const_cast<uchar*>(rowAt(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

} // namespace

QByteArray encodeJpeg(QSize size, const BgrRowAt& rowAt, int quality)
{
    if (size.isEmpty())
        return {};
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveOnError;
    errors.base.emit_message = ignoreMessage;
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    const bool compressed = compress(info, errors, size, rowAt, quality, output, outputSize);
    jpeg_destroy_compress(&info);
    QByteArray jpeg;
    if (compressed)
        jpeg =
            QByteArray(reinterpret_cast<const char*>(output), static_cast<qsizetype>(outputSize));
    std::free(output);
    return jpeg;
}

} // namespace imaging
