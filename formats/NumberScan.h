// Reading numbers one after another from text, the way the program's text
// readers take them: white space is skipped, a number ends where its digits
// end (so "5-12" is 5 then -12), and a text that is not a number, a value out
// of range or the end of the text ends the reading.
#pragma once

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

class NumberScan {
public:
    explicit NumberScan(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

    /// A decimal number read as a 32-bit float (finite values only).
    std::optional<float> nextFloat() { return next<float>(); }
    /// A decimal integer with an optional sign that fits 32 bits.
    std::optional<std::int32_t> nextInt() { return next<std::int32_t>(); }

    bool atEnd()
    {
        skipSpace();
        return p_ == end_;
    }

private:
    void skipSpace()
    {
        while (p_ < end_ && std::isspace(static_cast<unsigned char>(*p_))) ++p_;
    }

    template <class T>
    std::optional<T> next()
    {
        skipSpace();
        const char* start = p_;
        if (start < end_ && *start == '+') ++start;   // from_chars takes no leading plus
        if (start == end_ || (start != p_ && (*start == '+' || *start == '-'))) return std::nullopt;
        T v{};
        auto [q, ec] = std::from_chars(start, end_, v);
        if (ec != std::errc()) return std::nullopt;
        if constexpr (std::is_floating_point_v<T>)
            if (!std::isfinite(v)) return std::nullopt;
        p_ = q;
        return v;
    }

    const char* p_;
    const char* end_;
};
