#include "formats/UsgsDemTokens.h"

#include "app/core/GridOps.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr std::size_t kMaxToken = 22;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::optional<double> DemTokenScanner::real()
{
    while (pos_ < text_.size() && isBlank(text_[pos_])) ++pos_;
    const std::size_t limit = std::min(text_.size(), pos_ + kMaxToken);
    std::size_t i = pos_;
    const bool negative = i < limit && text_[i] == '-';
    if (i < limit && (text_[i] == '-' || text_[i] == '+')) ++i;
    const std::size_t mantissa = i;
    int digits = 0;
    for (; i < limit && isDigit(text_[i]); ++i) ++digits;
    if (i < limit && text_[i] == '.')
        for (++i; i < limit && isDigit(text_[i]); ++i) ++digits;
    if (digits == 0) return std::nullopt;
    if (i < limit && (text_[i] == 'D' || text_[i] == 'd' || text_[i] == 'E' || text_[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < limit && (text_[j] == '+' || text_[j] == '-')) ++j;
        if (j < limit && isDigit(text_[j])) {
            while (j < limit && isDigit(text_[j])) ++j;
            i = j;
        }
    }
    char buf[kMaxToken];
    std::size_t len = 0;
    for (std::size_t k = mantissa; k < i; ++k) buf[len++] = text_[k] == 'D' || text_[k] == 'd' ? 'E' : text_[k];
    double v = 0;
    auto [end, ec] = std::from_chars(buf, buf + len, v);
    if (ec != std::errc() || end != buf + len || !std::isfinite(v)) return std::nullopt;
    pos_ = i;
    return negative ? -v : v;
}

std::optional<std::int32_t> DemTokenScanner::integer()
{
    const auto v = real();
    if (!v) return std::nullopt;
    return gridops::truncToInt(*v);
}
