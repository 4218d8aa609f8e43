// Single-precision float samples (ER Mapper tiles, 32-bit ASTER DEMs) as integers.
#pragma once

#include <cstdint>

namespace fileio {

/// The null elevation that replaces a float sample with no integer value.
inline constexpr std::int32_t kNullSample = -32768;

/// Truncation toward zero; NaN and values beyond the 32-bit integer range give -32768.
inline std::int32_t floatSampleToInt(float v) noexcept
{
    if (!(v == v) || v >= 2147483648.0f || v < -2147483648.0f) return kNullSample;
    return static_cast<std::int32_t>(v);
}

} // namespace fileio
