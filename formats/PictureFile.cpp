#include "formats/PictureFile.h"

#include "app/Reporter.h"
#include "formats/FileIo.h"
#include "formats/Bmp.h"
#include "formats/JpegReader.h"
#include "formats/OpenDispatch.h"
#include "graphics/GraphicsModel.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

namespace {

std::optional<IntGrid> readBitmap(const std::string& path)
{
    auto bytes = fileio::readFileQuietly(path);
    if (!bytes || bytes->empty()) return std::nullopt;
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "BMP");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || std::int64_t(size.width()) * size.height() > kMaxPicturePixels) return std::nullopt;
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

} // namespace

bool isBitmapExtension(const std::string& extension)
{
    return extension == ".bmp" || extension == ".BMP";
}

std::optional<IntGrid> readPictureFile(const std::string& path, const std::string& extension)
{
    if (isBitmapExtension(extension)) return readBitmap(path);
    auto bytes = fileio::readFileQuietly(path);
    if (!bytes) return std::nullopt;
    return decodeJpeg(*bytes);
}

bool loadPictureIntoGraphics(const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    auto picture = readPictureFile(path, extensionOf(path));
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
