// libjpeg's default error handler ends the process; here a failure jumps back (setjmp/longjmp, as libjpeg
// expects) and gives an empty picture. Objects with destructors are all created before the jump point and
// stay in scope, so the jump skips no destructor.
#include "skin/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

#include <jpeglib.h>

namespace qv::skin {
namespace {

struct JpegErrorManager {
    jpeg_error_mgr base;  // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
};

extern "C" void OnJpegError(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

extern "C" void OnJpegMessage(j_common_ptr) {}  // warnings are not shown anywhere

// Decodes into `pixels`; false when libjpeg gave up.
bool DecodeJpegInto(const std::uint8_t* data, std::size_t size, PixelBuffer& pixels, std::vector<JSAMPLE>& row) {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnJpegError;
    errors.base.output_message = OnJpegMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxJpegMemory;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    // Judged on the header, before jpeg_start_decompress makes room for the whole picture.
    if (!PictureSizeAllowed(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width), height = static_cast<int>(info.output_height);
    try {
        pixels.Reset(width, height);
        row.resize(static_cast<std::size_t>(width) * 3);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        Pixel* out = pixels.Row(y);
        for (int x = 0; x < width; ++x) {
            const JSAMPLE* bgr = &row[static_cast<std::size_t>(x) * 3];
            out[x] = static_cast<Pixel>(bgr[0]) | (static_cast<Pixel>(bgr[1]) << 8) | (static_cast<Pixel>(bgr[2]) << 16);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

Image DecodeJpegPicture(std::span<const std::uint8_t> data) {
    PixelBuffer pixels;
    std::vector<JSAMPLE> row;
    if (data.empty() || !DecodeJpegInto(data.data(), data.size(), pixels, row) || pixels.Empty()) return {};
    return Image(std::move(pixels), Image::ifJpeg);
}

} // namespace qv::skin
