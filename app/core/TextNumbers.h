// Conversions of typed text to numbers, shared by every dialog and the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

/// A decimal integer with an optional sign, surrounding blanks allowed; nothing else.
std::optional<std::int32_t> parseIntText(std::string_view text);
/// True when the text is a decimal integer that parseIntText refuses only for its size (beyond 32 bits).
bool integerTextOutOfRange(std::string_view text);
/// An integer written with a "0x" prefix (hexadecimal) or in decimal.
std::optional<std::int32_t> parseHexOrIntText(std::string_view text);
/// A decimal number (optional exponent), surrounding blanks allowed; finite values only.
std::optional<double> parseRealText(std::string_view text);
/// True when the text is empty (blanks count as text).
inline bool isEmptyText(std::string_view text) { return text.empty(); }
