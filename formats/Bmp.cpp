#include "formats/Bmp.h"

#include "formats/FileIo.h"

namespace {
void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i) & 0xFF));
}
void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    fileio::putLittleEndian16(out, std::int32_t(v));
}

/// The file of a picture of the given size; pixels(line, out) appends one line's blue, green, red bytes.
template <class Pixels>
std::vector<std::uint8_t> encodeBmp24(int rows, int cols, Pixels pixels)
{
    const std::uint32_t width = std::uint32_t(cols), height = std::uint32_t(rows);
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * height;
    std::vector<std::uint8_t> out;
    out.reserve(54 + std::size_t(imageSize));
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);          // no compression
    put32(out, imageSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int line = rows - 1; line >= 0; --line) {
        const std::size_t start = out.size();
        pixels(line, out);
        out.resize(start + stride, 0);
    }
    return out;
}

} // namespace

std::vector<std::uint8_t> encodeGreyBmp(const ByteGrid& picture)
{
    return encodeBmp24(picture.rows(), picture.cols(), [&](int line, std::vector<std::uint8_t>& out) {
        for (std::uint8_t g : picture.rowSpan(line)) out.insert(out.end(), {g, g, g});
    });
}

bool writeGreyBmp(const std::string& path, const ByteGrid& picture, Reporter& reporter)
{
    return fileio::writeOutputFile(path, encodeGreyBmp(picture), reporter);
}

std::vector<std::uint8_t> encodeColourBmp(const Grid<std::uint32_t>& picture)
{
    return encodeBmp24(picture.rows(), picture.cols(), [&](int line, std::vector<std::uint8_t>& out) {
        for (std::uint32_t c : picture.rowSpan(line))
            out.insert(out.end(), {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)});
    });
}

bool writeColourBmp(const std::string& path, const Grid<std::uint32_t>& picture, Reporter& reporter)
{
    return fileio::writeOutputFile(path, encodeColourBmp(picture), reporter);
}
