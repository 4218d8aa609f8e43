#include "formats/JpegWriter.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

struct ErrorExit {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorExit*>(info->err)->jump, 1);
}

} // namespace

std::vector<std::uint8_t> encodeJpeg(const std::uint8_t* rgb, int width, int height)
{
    if (!rgb || width <= 0 || height <= 0 || width > 65500 || height > 65500) return {};
    jpeg_compress_struct info{};
    ErrorExit error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = onError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = const_cast<JSAMPROW>(rgb + std::size_t(info.next_scanline) * std::size_t(width) * 3);
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

bool writeJpeg(const std::string& path, const std::uint8_t* rgb, int width, int height, Reporter& reporter)
{
    const std::vector<std::uint8_t> bytes = encodeJpeg(rgb, width, height);
    if (bytes.empty()) {
        reporter.log(fileio::kCouldNotOpenOutputLine);
        return false;
    }
    return fileio::writeOutputFile(path, bytes, reporter);
}
