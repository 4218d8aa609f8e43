// A synthetic SRTM-3 scene for the coarse-tile repair: a smooth 1201 x 1201
// terrain (the truth), the tile with rectangular voids of -32768, and the coarse
// sources made from the truth (a DTED0 tile sampled every 10th posting).
#pragma once

#include "app/core/Grid.h"

#include <cmath>
#include <cstdint>

struct PatchScene {
    IntGrid truth{1201, 1201};
    IntGrid tile;
    IntGrid dted0{121, 121};

    struct Void {
        int top, left, rows, cols;
    };
    static constexpr Void kVoids[] = {{200, 300, 80, 100}, {700, 800, 60, 100}, {1000, 100, 61, 61}, {0, 1150, 31, 51}};

    PatchScene()
    {
        for (int r = 0; r < 1201; ++r)
            for (int c = 0; c < 1201; ++c)
                truth(r, c) = std::int32_t(400 + 250 * std::sin(r / 97.0) * std::cos(c / 131.0) +
                                           120 * std::sin((r + c) / 57.0) + 60 * std::cos((r - 2 * c) / 41.0));
        tile = truth;
        for (const Void& v : kVoids)
            for (int r = v.top; r < v.top + v.rows; ++r)
                for (int c = v.left; c < v.left + v.cols; ++c) tile(r, c) = -32768;
        for (int i = 0; i < 121; ++i)
            for (int j = 0; j < 121; ++j) dted0(i, j) = truth(10 * i, 10 * j);
    }

    /// Root mean square difference from the truth over the void postings.
    double voidRmse(const IntGrid& patched) const
    {
        double sum = 0;
        long n = 0;
        for (const Void& v : kVoids)
            for (int r = v.top; r < v.top + v.rows; ++r)
                for (int c = v.left; c < v.left + v.cols; ++c, ++n)
                    sum += std::pow(double(patched(r, c) - truth(r, c)), 2);
        return std::sqrt(sum / double(n));
    }

    /// True when every void posting on the 10-posting lattice holds the truth (the coarse
    /// postings come through the expansion unchanged).
    bool latticeInVoidsExact(const IntGrid& patched) const
    {
        for (const Void& v : kVoids)
            for (int r = v.top; r < v.top + v.rows; ++r)
                for (int c = v.left; c < v.left + v.cols; ++c)
                    if (r % 10 == 0 && c % 10 == 0 && patched(r, c) != truth(r, c)) return false;
        return true;
    }

    /// True when every posting outside the voids holds its original value.
    bool knownPostingsKept(const IntGrid& patched) const
    {
        for (int r = 0; r < 1201; ++r)
            for (int c = 0; c < 1201; ++c)
                if (tile(r, c) != -32768 && patched(r, c) != tile(r, c)) return false;
        return true;
    }
};
