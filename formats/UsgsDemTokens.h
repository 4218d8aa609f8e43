// The number scanner of the USGS ASCII DEM reader.
//
// A token is read by skipping white space and taking the longest number that
// starts there, at most 22 characters: an optional sign, digits with an
// optional decimal point, and an optional exponent written with 'E' or with
// the Fortran double-precision 'D' (0.30000D+02). A number ends where its
// syntax ends, so fields that touch ("-32767-32767", "0.1D+04-32767") read as
// separate numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class DemTokenScanner {
public:
    DemTokenScanner(std::string_view text, std::size_t position) : text_(text), pos_(position) {}

    /// The next number; nothing (position unchanged past the white space) when
    /// the text there is not a number or the end is reached.
    std::optional<double> real();
    /// The next number truncated toward zero.
    std::optional<std::int32_t> integer();

    std::size_t position() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_;
};
