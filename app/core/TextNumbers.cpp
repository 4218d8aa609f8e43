#include "app/core/TextNumbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace {

std::string_view trimmed(std::string_view t)
{
    while (!t.empty() && std::isspace((unsigned char)t.front())) t.remove_prefix(1);
    while (!t.empty() && std::isspace((unsigned char)t.back())) t.remove_suffix(1);
    return t;
}

} // namespace

std::optional<std::int32_t> parseIntText(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int32_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size()) return std::nullopt;
    return v;
}

bool integerTextOutOfRange(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int32_t v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    return ec == std::errc::result_out_of_range && p == text.data() + text.size();
}

std::optional<std::int32_t> parseHexOrIntText(std::string_view text)
{
    std::string_view t = trimmed(text);
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        t.remove_prefix(2);
        std::uint32_t v = 0;
        auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v, 16);
        if (ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
        return std::int32_t(v);
    }
    return parseIntText(text);
}

std::optional<double> parseRealText(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double v = 0;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || p != text.data() + text.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}
