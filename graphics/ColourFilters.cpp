#include "graphics/ColourFilters.h"

#include "app/core/GridOps.h"
#include "app/core/Reporter.h"
#include "graphics/Hls240.h"

#include <algorithm>
#include <cstdio>

namespace {

int redOf(std::int32_t v) { return (v >> 16) & 0xFF; }
int greenOf(std::int32_t v) { return (v >> 8) & 0xFF; }
int blueOf(std::int32_t v) { return v & 0xFF; }
std::int32_t packRgb(int r, int g, int b) { return (r << 16) | (g << 8) | b; }

/// One channel plane of a picture (shift 16 red, 8 green, 0 blue).
IntGrid channelPlane(const IntGrid& image, int shift)
{
    IntGrid plane(image.rows(), image.cols());
    auto src = image.cells();
    auto dst = plane.cells();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = (src[i] >> shift) & 0xFF;
    return plane;
}

/// The 3 x 3 all-ones sum around an interior cell, times 1/9, truncated; negative results 0.
std::int32_t boxMean(const IntGrid& plane, int r, int c)
{
    int sum = 0;
    for (int dr = -1; dr <= 1; ++dr)
        for (int dc = -1; dc <= 1; ++dc) sum += plane(r + dr, c + dc);
    return std::max(0, gridops::truncToInt(sum * (1.0 / 9.0)));
}

} // namespace

void valueFilter(IntGrid& image, const std::array<std::int32_t, 16>& values, std::int32_t replacement,
                 bool valueToggle)
{
    for (std::int32_t& v : image.cells()) {
        const bool listed = std::find(values.begin(), values.end(), v) != values.end();
        if (listed == valueToggle) v = replacement;
    }
}

void rangeFilter(IntGrid& image, const RangeFilter& f)
{
    for (std::int32_t& v : image.cells()) {
        const bool inside = f.lower <= v && v <= f.upper;
        if (inside == f.keepDiscard) v = f.background;
    }
}

void byteScreen(IntGrid& image, const ByteScreen& s)
{
    if (s.channel == ScreenChannel::None) return;
    const std::int32_t colour = s.useTarget ? s.target : s.replacement;
    for (std::int32_t& v : image.cells()) {
        const int R = redOf(v), G = greenOf(v), B = blueOf(v);
        bool replace = false;
        switch (s.channel) {
        case ScreenChannel::Red: replace = R > s.red && G < s.green && B < s.blue; break;
        case ScreenChannel::Green: replace = R < s.red && G > s.green && B < s.blue; break;
        case ScreenChannel::Blue: replace = R < s.red && G < s.green && B > s.blue; break;
        case ScreenChannel::None: break;
        }
        if (replace) v = colour;
    }
}

void lowPass(IntGrid& image)
{
    IntGrid planes[3] = {channelPlane(image, 16), channelPlane(image, 8), channelPlane(image, 0)};
    for (IntGrid& plane : planes)
        for (int r = 1; r + 1 < plane.rows(); ++r)
            for (int c = 1; c + 1 < plane.cols(); ++c) plane(r, c) = boxMean(plane, r, c);
    auto out = image.cells();
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = packRgb(planes[0].data()[i], planes[1].data()[i], planes[2].data()[i]);
}

bool unsharpMultiplierValid(double k) { return k >= 0.0 && k <= 1.0; }

bool unsharpMask(IntGrid& image, double k)
{
    if (!unsharpMultiplierValid(k)) return false;
    const IntGrid planes[3] = {channelPlane(image, 16), channelPlane(image, 8), channelPlane(image, 0)};
    IntGrid blurred[3] = {planes[0], planes[1], planes[2]};
    for (int p = 0; p < 3; ++p)
        for (int r = 1; r + 1 < image.rows(); ++r)
            for (int c = 1; c + 1 < image.cols(); ++c) blurred[p](r, c) = boxMean(planes[p], r, c);

    for (int r = 0; r < image.rows(); ++r)
        for (int c = 0; c < image.cols(); ++c) {
            Hls240 hls = toHls240({planes[0](r, c), planes[1](r, c), planes[2](r, c)});
            const int L = hls.lightness;
            const int Lb = toHls240({blurred[0](r, c), blurred[1](r, c), blurred[2](r, c)}).lightness;
            if (k != 0.5 && (1 - k) * Lb <= k * L)
                hls.lightness = std::clamp(gridops::truncToInt((k * L - (1 - k) * Lb) / (2 * k - 1)), 0, 240);
            const Rgb8 rgb = fromHls240(hls);
            image(r, c) = packRgb(rgb.red, rgb.green, rgb.blue);
        }
    return true;
}

void binarise(const IntGrid& image, IntGrid& elevationArray, std::int32_t background)
{
    elevationArray = IntGrid(image.rows(), image.cols());
    auto src = image.cells();
    auto dst = elevationArray.cells();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = src[i] >= background ? 255 : 0;
}

void negative(IntGrid& elevationArray, IntGrid& image)
{
    for (std::int32_t& v : elevationArray.cells()) v = v == kWhiteColour ? 0 : kWhiteColour;
    for (std::int32_t& v : image.cells()) {
        if (v == kWhiteColour) v = 0;
        else if (v == 0) v = kWhiteColour;
    }
}

void grayscale(IntGrid& elevationArray, IntGrid& image)
{
    elevationArray = IntGrid(image.rows(), image.cols());
    auto src = image.cells();
    auto dst = elevationArray.cells();
    for (std::size_t i = 0; i < src.size(); ++i) {
        const std::int32_t g = src[i] / 0x010101;
        src[i] = (g & 0xFF) * 0x010101;
        dst[i] = g;
    }
}

void PixelQueryHistory::record(std::int32_t colour)
{
    colours[std::size_t(writeIndex)] = colour;
    writeIndex = (writeIndex + 1) % int(colours.size());
    lastQueried = colour;
}

std::string hexDigits6(std::int32_t colour)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", unsigned(colour));
    return buf;
}

std::optional<std::int32_t> queryPixel(const IntGrid& image, int row, int col, PixelQueryHistory& history,
                                       Reporter& reporter)
{
    if (!image.contains(row, col)) return std::nullopt;
    const std::int32_t c = image(row, col);
    reporter.log("Integer representation of pixel value is:  " + std::to_string(c));
    reporter.log(" Hex representation of pixel value is:  " + hexDigits6(c));
    reporter.log("  ");
    history.record(c);
    return c;
}

void lineScanQuery(std::uint32_t displayedColour, Reporter& reporter)
{
    reporter.log(std::to_string(displayedColour & 0xFFFFFFu));
}

const std::vector<std::string>& referenceSizeErrorLines()
{
    static const std::vector<std::string> lines = {"Error:  the reference image and the",
                                                   "process image must be the same size."};
    return lines;
}

bool subtractReference(IntGrid& image, const IntGrid& reference)
{
    if (image.rows() != reference.rows() || image.cols() != reference.cols()) return false;
    auto dst = image.cells();
    auto ref = reference.cells();
    for (std::size_t i = 0; i < dst.size(); ++i) {
        const std::int32_t d = std::int32_t(std::uint32_t(dst[i]) - std::uint32_t(ref[i]));
        dst[i] = d == 0 ? kWhiteColour : d;
    }
    return true;
}

bool nandReference(IntGrid& image, const IntGrid& reference, std::int32_t background)
{
    if (image.rows() != reference.rows() || image.cols() != reference.cols()) return false;
    auto dst = image.cells();
    auto ref = reference.cells();
    for (std::size_t i = 0; i < dst.size(); ++i)
        if (dst[i] == ref[i]) dst[i] = background;
    return true;
}

bool contrastStretch(IntGrid& image)
{
    const double mn = gridops::minimum(image), mx = gridops::maximum(image);
    if (!(mx > mn)) return false;
    for (std::int32_t& v : image.cells()) v = gridops::truncToInt((double(v) - mn) / (mx - mn) * 16777215.0);
    return true;
}

void multiplyValues(IntGrid& image, float factor)
{
    for (std::int32_t& v : image.cells()) v = gridops::truncToInt(double(v) * double(factor));
}
