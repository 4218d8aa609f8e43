#include "view/JpegSnapshot.h"

#include "app/core/Reporter.h"
#include "formats/JpegWriter.h"

bool saveSnapshotJpeg(const std::string& path, const std::uint8_t* rgb, int width, int height, Reporter& reporter)
{
    if (!writeJpeg(path, rgb, width, height, reporter)) return false;
    reporter.log(" ");
    reporter.log("Saved " + path);
    return true;
}
