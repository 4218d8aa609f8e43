#include "graphics/PictureFile.h"

#include "app/core/Reporter.h"
#include "formats/FileIo.h"
#include "formats/Bmp.h"
#include "formats/JpegReader.h"
#include "formats/OpenTable.h"
#include "graphics/GraphicsModel.h"

#include <algorithm>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

/// The rows of an uncompressed bitmap: declared by its header and held whole by its file.
struct BitmapRows {
    std::int64_t width = 0, declared = 0, stored = 0;
    std::size_t heightAt = 0;     ///< where the header keeps the height
    bool twoByteHeight = false;   ///< the old 12-byte header keeps it in 16 bits
    bool topDown = false;         ///< a negative height: the first stored row is the top one
};

/// Nothing for a compressed bitmap or a header that does not say.
std::optional<BitmapRows> bitmapRows(std::span<const std::uint8_t> file)
{
    const fileio::Bytes b(file);
    const auto offset = b.le32u(10), headerSize = b.le32u(14);
    if (!offset || !headerSize || b.u8(0) != 'B' || b.u8(1) != 'M') return std::nullopt;
    std::int64_t width = 0, height = 0;
    std::uint32_t bits = 0;
    BitmapRows rows;
    if (*headerSize == 12) {
        const auto w = b.le16u(18), h = b.le16u(20), bpp = b.le16u(24);
        if (!w || !h || !bpp) return std::nullopt;
        width = *w, height = *h, bits = *bpp;
        rows.heightAt = 20;
        rows.twoByteHeight = true;
    } else {
        const auto w = b.le32(18), h = b.le32(22);
        const auto bpp = b.le16u(28);
        const auto compression = b.le32u(30);
        if (!w || !h || !bpp || !compression) return std::nullopt;
        if (*compression != 0 && *compression != 3 && *compression != 6) return std::nullopt;   // RLE, JPEG, PNG
        width = *w, height = *h, bits = *bpp;
        rows.heightAt = 22;
    }
    const std::int64_t stride = (width * bits + 31) / 32 * 4;
    if (width <= 0 || stride <= 0) return std::nullopt;
    rows.width = width;
    rows.topDown = height < 0;
    rows.declared = height < 0 ? -height : height;
    const std::int64_t data = *offset <= file.size() ? std::int64_t(file.size() - *offset) : 0;
    rows.stored = std::min(rows.declared, data / stride);
    return rows;
}

} // namespace

std::optional<IntGrid> decodeBitmap(std::span<const std::uint8_t> bytes, Reporter& reporter, std::int64_t maxPixels)
{
    if (bytes.empty()) return std::nullopt;
    std::vector<std::uint8_t> cut;
    const auto rows = bitmapRows(bytes);
    if (rows && rows->stored < rows->declared) {
        reporter.incompleteInput("The picture is cut short: " + std::to_string(rows->stored) + " of its " +
                                 std::to_string(rows->declared) + " rows were read.");
        if (rows->stored == 0) return std::nullopt;
        // The rows the file holds, as a whole picture of that height (the stored end of the
        // picture: the bottom rows of a bottom-up bitmap, the top rows of a top-down one).
        cut.assign(bytes.begin(), bytes.end());
        const auto height = std::uint32_t(rows->topDown ? -rows->stored : rows->stored);
        for (std::size_t i = 0; i < (rows->twoByteHeight ? 2u : 4u); ++i)
            cut[rows->heightAt + i] = std::uint8_t(height >> (8 * i));
        bytes = cut;
    }
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "BMP");
    reader.setDecideFormatFromContent(false);
    // The toolkit gives no size for a top-down bitmap: an uncompressed one is measured by its header.
    const QSize size = reader.size();
    const std::int64_t width = rows ? rows->width : size.width(), height = rows ? rows->stored : size.height();
    if ((!rows && !size.isValid()) || !pictureSizeFits(width, height, bytes.size(), maxPixels)) return std::nullopt;
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    image = image.convertToFormat(QImage::Format_RGB32);
    IntGrid out(image.height(), image.width());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::int32_t* dst = out.row(y);
        for (int x = 0; x < image.width(); ++x) dst[x] = std::int32_t(line[x] & 0xFFFFFFu);
    }
    return out;
}

bool isBitmapExtension(const std::string& extension)
{
    return extension == ".bmp" || extension == ".BMP";
}

std::optional<IntGrid> readPictureFile(const std::string& path, const std::string& extension, Reporter& reporter)
{
    auto bytes = fileio::readFileQuietly(path);
    if (!bytes) return std::nullopt;
    return isBitmapExtension(extension) ? decodeBitmap(*bytes, reporter) : decodeJpeg(*bytes);
}

bool loadPictureIntoGraphics(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto picture = readPictureFile(path, extensionOf(path), reporter);
    if (!picture || picture->empty()) {
        reporter.log(kImageFailedLine);
        return false;
    }
    graphics.loadPicture(*picture);
    return true;
}

bool saveGraphicsImage(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    return !path.empty() && writeColourBmp(path, graphics.display, reporter);
}
