#include "graphics/ColourFilters.h"
#include "graphics/Hls240.h"
#include "GridArt.h"
#include "RecordingReporter.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

IntGrid row(std::initializer_list<std::int32_t> values) { return pictureOf(values, 1); }

} // namespace

TEST(ValueFilter, ToggleClearKeepsListedColoursToggleSetReplacesThem)
{
    IntGrid g = row({0x000000, 0x102030, 0xFFFFFF, 0x000001});
    IntGrid h = g;
    valueFilter(g, {}, 0xABCDEF, false);   // all 16 values 0
    EXPECT_EQ(g, row({0x000000, 0xABCDEF, 0xABCDEF, 0xABCDEF}));
    std::array<std::int32_t, 16> values{};
    values.fill(0x102030);
    values[15] = 0x000001;
    valueFilter(h, values, 0xFFFFFF, true);
    EXPECT_EQ(h, row({0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
}

TEST(RangeFilter, ToggleClearKeepsTheRange)
{
    IntGrid g = row({0x808080, 0x7F7F7F, 0x000000, -5});
    rangeFilter(g, {0x000000, 0x7F7F7F, 0xFFFFFF, false});
    EXPECT_EQ(g, row({0xFFFFFF, 0x7F7F7F, 0x000000, 0xFFFFFF}));   // signed: -5 < 0
}

TEST(ByteScreen, EachChannelAboveItsByteAndTheOthersBelow)
{
    const IntGrid source = row({0xF01010, 0x10F010, 0x1010F0, 0xF0F010, 0x801010});
    ByteScreen s;
    s.red = s.green = s.blue = 0x80;
    s.replacement = 0xFFFFFF;
    s.target = 0x123456;

    s.useTarget = true;
    const std::pair<ScreenChannel, IntGrid> rows[] = {
        {ScreenChannel::Green, row({0xF01010, 0x123456, 0x1010F0, 0xF0F010, 0x801010})}, {ScreenChannel::None, source}};
    for (const auto& [channel, expected] : rows) {
        IntGrid g = source;
        s.channel = channel;
        byteScreen(g, s);
        EXPECT_EQ(g, expected) << int(channel);
    }
}

TEST(LowPass, InPlaceInRowOrderPerChannel)
{
    IntGrid g(3, 4, 0);
    const int red[3][4] = {{90, 0, 0, 90}, {0, 90, 0, 0}, {0, 0, 0, 90}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) g(r, c) = red[r][c] << 16 | 0x0505;
    lowPass(g);
    // (1, 1): 180 / 9; (1, 2): 200 / 9, the smoothed left neighbour counts; the border is unchanged.
    EXPECT_EQ(cellsAt(g, {{1, 1}, {1, 2}, {0, 0}, {2, 3}}),
              (std::vector{20 << 16 | 0x0505, 22 << 16 | 0x0505, 90 << 16 | 0x0505, 90 << 16 | 0x0505}));
}

TEST(Hls240, PrimariesAndGrey)
{
    auto hls = [](Rgb8 rgb) {
        const Hls240 h = toHls240(rgb);
        return std::tuple(h.hue, h.lightness, h.saturation);
    };
    EXPECT_EQ(hls({255, 0, 0}), std::tuple(0, 120, 240));
    EXPECT_EQ(hls({0, 255, 0}), std::tuple(80, 120, 240));
    EXPECT_EQ(hls({0, 0, 255}), std::tuple(160, 120, 240));
    const Rgb8 back = fromHls240(toHls240({255, 0, 0}));
    EXPECT_EQ(std::tuple(back.red, back.green, back.blue), std::tuple(255, 0, 0));
}

TEST(ElevationCodes, BinariseNegativeAndGrayscale)
{
    const IntGrid image = row({0xFFFFFF, 0xFFFFFE, 0xC0C0C0, 0xC0C0BF, 0xD00000, 0x000000});
    IntGrid elevation;
    binarise(image, elevation, 0xC0C0C0);
    EXPECT_EQ(elevation, row({255, 255, 255, 0, 255, 0}));

    IntGrid picture = row({0xFFFFFF, 0x000000, 0x123456});
    elevation = row({0xFFFFFF, 0, 255});
    negative(elevation, picture);
    EXPECT_EQ(std::pair(picture, elevation),
              std::pair(row({0x000000, 0xFFFFFF, 0x123456}), row({0, 0xFFFFFF, 0xFFFFFF})));

    picture = row({0x808080, 0xFF0000, 0xFFFFFF, 0x000000});
    grayscale(elevation, picture);
    EXPECT_EQ(std::pair(elevation, picture),
              std::pair(row({128, 254, 255, 0}), row({0x808080, 0xFEFEFE, 0xFFFFFF, 0})));
}

TEST(PixelQuery, WrapsTheHistoryAfterSixteen)
{
    IntGrid image(1, 17);
    for (int c = 0; c < 17; ++c) image(0, c) = 0x010000 * (c + 1);
    PixelQueryHistory history;
    RecordingReporter log;
    for (int c = 0; c < 17; ++c) EXPECT_EQ(queryPixel(image, 0, c, history, log), 0x010000 * (c + 1));
    EXPECT_EQ(std::tuple(history.colours[0], history.colours[1], history.writeIndex, history.lastQueried),
              std::tuple(0x110000, 0x020000, 1, 0x110000));
}

TEST(ReferenceOperations, SubtractAndNand)
{
    IntGrid image = row({5, 0x123456, 0});
    const IntGrid copy = image;
    ASSERT_TRUE(subtractReference(image, copy));
    EXPECT_EQ(image, IntGrid(1, 3, 0xFFFFFF));   // a picture minus itself is all white

    IntGrid n = row({1, 2, 3});
    ASSERT_TRUE(nandReference(n, row({1, 0, 3}), 0xEEEEEE));
    EXPECT_EQ(n, row({0xEEEEEE, 2, 0xEEEEEE}));
}

TEST(ContrastStretch, SpreadsToTheFullColourRangeAndMultiplyTruncates)
{
    IntGrid g = row({10, 20, 30});
    EXPECT_TRUE(contrastStretch(g));
    EXPECT_EQ(g, row({0, 8388607, 16777215}));
    IntGrid m = row({100, 10, -3, 16777215});
    multiplyValues(m, 1.1f);   // 1.1f is 1.10000002...; -3.3 truncated toward zero
    EXPECT_EQ(m, row({110, 11, -3, 18454936}));
}
