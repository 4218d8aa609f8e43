// The crop of N49E011.hgt in tests/data and its GeoTIFF copies: 101 x 101 postings with one 3 x 3
// void at rows 44-46, columns 43-45, whose neighbours lie between 540 and 600 m.
#pragma once

#include <gtest/gtest.h>

inline bool inCropVoid(int r, int c) { return r >= 44 && r <= 46 && c >= 43 && c <= 45; }

/// Every known posting of the crop kept to the bit, every void posting filled between low and high.
template <class Filled, class Known>
void expectCropFilled(const Filled& filled, const Known& known, double low = 540, double high = 600)
{
    for (int r = 0; r < 101; ++r)
        for (int c = 0; c < 101; ++c) {
            const double v = filled(r, c);
            if (!inCropVoid(r, c)) { ASSERT_EQ(v, double(known(r, c))) << r << "," << c; }
            else { EXPECT_TRUE(v >= low && v <= high) << r << "," << c << " " << v; }
        }
}
