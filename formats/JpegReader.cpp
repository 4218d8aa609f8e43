#include "formats/JpegReader.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>
#include <jerror.h>

namespace {

/// The codec reports errors by calling error_exit, which must not return: we jump back.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

/// Warnings are silent, except a premature end of the data, which counts as an error.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) onError(info);
}

void installErrorManager(ErrorManager& err, j_common_ptr info)
{
    info->err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.pub.output_message = [](j_common_ptr) {};
}

/// Everything that lives across the setjmp point is kept outside the function that calls it,
/// so no local is left indeterminate by the jump.
struct DecodeState {
    jpeg_decompress_struct info{};
    ErrorManager err{};
    std::vector<JSAMPLE> line;
    std::optional<IntGrid> picture;
};

bool runDecode(DecodeState& s, std::span<const std::uint8_t> bytes, std::int64_t maxPixels)
{
    if (setjmp(s.err.jump)) return false;
    jpeg_mem_src(&s.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&s.info, TRUE) != JPEG_HEADER_OK) return false;
    if (!pictureSizeFits(s.info.image_width, s.info.image_height, bytes.size(), maxPixels)) return false;
    s.info.out_color_space = JCS_RGB;   // greyscale and YCbCr pictures both come out as RGB
    jpeg_start_decompress(&s.info);
    if (s.info.output_components != 3) return false;
    const int width = int(s.info.output_width), height = int(s.info.output_height);
    s.line.resize(std::size_t(width) * 3);
    s.picture.emplace(height, width);
    while (s.info.output_scanline < s.info.output_height) {
        const int y = int(s.info.output_scanline);
        JSAMPROW row = s.line.data();
        if (jpeg_read_scanlines(&s.info, &row, 1) != 1) return false;
        std::int32_t* out = s.picture->row(y);
        for (int x = 0; x < width; ++x)
            out[x] = std::int32_t(s.line[3 * x]) << 16 | std::int32_t(s.line[3 * x + 1]) << 8 | s.line[3 * x + 2];
    }
    jpeg_finish_decompress(&s.info);
    return true;
}

} // namespace

std::optional<IntGrid> decodeJpeg(std::span<const std::uint8_t> bytes, std::int64_t maxPixels)
{
    if (bytes.empty()) return std::nullopt;
    DecodeState s;
    installErrorManager(s.err, reinterpret_cast<j_common_ptr>(&s.info));
    jpeg_create_decompress(&s.info);
    const bool ok = runDecode(s, bytes, maxPixels);
    jpeg_destroy_decompress(&s.info);
    if (!ok) return std::nullopt;
    return std::move(s.picture);
}
