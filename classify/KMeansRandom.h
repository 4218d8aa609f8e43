// The random source of the k-means clustering: a 15-bit linear congruential
// generator, a uniform integer draw and a random permutation built on it.
//
// A draw sets s = s x 22695477 + 1 (mod 2^32) and returns (s >> 16) & 0x7FFF.
// Seeding sets s and discards one draw. A uniform integer in [low, high] is low
// when low = high, else low + (draw mod (high - low + 1)), so it never exceeds
// low + 32767. The permutation swaps each entry i (in order) with an entry
// drawn uniformly from i .. last.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <utility>
#include <vector>

namespace kmeans {

/// Where the clustering's seeds come from: the calendar time in seconds in the
/// program, a fixed value for reproducible runs and tests.
using SeedSource = std::function<std::uint32_t()>;

/// The program's seed: the calendar time in seconds.
inline std::uint32_t calendarSeconds() { return std::uint32_t(std::time(nullptr)); }

class Random15 {
public:
    explicit Random15(std::uint32_t state = 0) : s_(state) {}

    int draw()
    {
        s_ = s_ * 22695477u + 1u;
        return int((s_ >> 16) & 0x7FFFu);
    }
    /// s := seed, then one draw is discarded.
    void seed(std::uint32_t seed)
    {
        s_ = seed;
        draw();
    }
    std::uint32_t state() const { return s_; }

private:
    std::uint32_t s_;
};

/// Uniform integer in [low, high]. Pre: low <= high.
inline int uniformInt(Random15& rng, int low, int high)
{
    if (low == high) return low;
    return low + rng.draw() % (high - low + 1);
}

/// Random permutation of a, in place.
template <class T>
void permute(Random15& rng, std::vector<T>& a)
{
    const int m = int(a.size());
    for (int i = 0; i < m; ++i) std::swap(a[std::size_t(uniformInt(rng, i, m - 1))], a[std::size_t(i)]);
}

} // namespace kmeans
