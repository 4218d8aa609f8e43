#include "graphics/Hls240.h"

#include <algorithm>

namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kGreyHue = kHlsMax * 2 / 3;   // 160

/// One channel's value on the hue ramp between m1 and m2 (both 0 .. 240).
int hueRamp(int m1, int m2, int hue)
{
    if (hue < 0) hue += kHlsMax;
    if (hue > kHlsMax) hue -= kHlsMax;
    if (hue < kHlsMax / 6) return m1 + ((m2 - m1) * hue + kHlsMax / 12) / (kHlsMax / 6);
    if (hue < kHlsMax / 2) return m2;
    if (hue < kHlsMax * 2 / 3) return m1 + ((m2 - m1) * (kHlsMax * 2 / 3 - hue) + kHlsMax / 12) / (kHlsMax / 6);
    return m1;
}

int toChannel(int v) { return std::clamp((v * kRgbMax + kHlsMax / 2) / kHlsMax, 0, kRgbMax); }

} // namespace

Hls240 toHls240(Rgb8 c)
{
    const int mx = std::max({c.red, c.green, c.blue}), mn = std::min({c.red, c.green, c.blue});
    Hls240 out;
    out.lightness = ((mx + mn) * kHlsMax + kRgbMax) / (2 * kRgbMax);
    if (mx == mn) {
        out.saturation = 0;
        out.hue = kGreyHue;
        return out;
    }
    const int span = mx - mn;
    if (out.lightness <= kHlsMax / 2)
        out.saturation = (span * kHlsMax + (mx + mn) / 2) / (mx + mn);
    else
        out.saturation = (span * kHlsMax + (2 * kRgbMax - mx - mn) / 2) / (2 * kRgbMax - mx - mn);
    auto delta = [&](int v) { return ((mx - v) * (kHlsMax / 6) + span / 2) / span; };
    const int rd = delta(c.red), gd = delta(c.green), bd = delta(c.blue);
    if (c.red == mx) out.hue = bd - gd;
    else if (c.green == mx) out.hue = kHlsMax / 3 + rd - bd;
    else out.hue = kHlsMax * 2 / 3 + gd - rd;
    if (out.hue < 0) out.hue += kHlsMax;
    if (out.hue > kHlsMax) out.hue -= kHlsMax;
    return out;
}

Rgb8 fromHls240(Hls240 hls)
{
    const int l = hls.lightness, s = hls.saturation;
    if (s == 0) {
        const int v = std::clamp(l * kRgbMax / kHlsMax, 0, kRgbMax);
        return {v, v, v};
    }
    const int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + kHlsMax / 2) / kHlsMax
                                    : l + s - (l * s + kHlsMax / 2) / kHlsMax;
    const int m1 = 2 * l - m2;
    return {toChannel(hueRamp(m1, m2, hls.hue + kHlsMax / 3)), toChannel(hueRamp(m1, m2, hls.hue)),
            toChannel(hueRamp(m1, m2, hls.hue - kHlsMax / 3))};
}
