// The 240-scale hue, lightness and saturation of 8-bit RGB colours.
//
// Lightness = ((max + min) x 240 + 255) / 510; a grey colour has saturation 0
// and hue 160; hue sectors are 40 wide, offset by 0, 2 and 4 sectors for red,
// green and blue maxima. All arithmetic is integer with rounding terms, so the
// conversion back gives the original colour for most inputs and a neighbour for
// the rest.
#pragma once

struct Hls240 {
    int hue = 0;          ///< 0 .. 240
    int lightness = 0;    ///< 0 .. 240
    int saturation = 0;   ///< 0 .. 240
};

struct Rgb8 {
    int red = 0, green = 0, blue = 0;   ///< 0 .. 255 each
};

Hls240 toHls240(Rgb8 colour);
/// Pre: lightness and saturation 0 .. 240. Post: channels 0 .. 255.
Rgb8 fromHls240(Hls240 hls);
