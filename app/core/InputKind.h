#pragma once

#include <cstdint>

/// Which input builder Run uses when LSQR iterations are requested. The number is what is stored.
enum class InputKind : std::int32_t {
    NoInput = 0,
    TextGridInput = 1,
    ShapefileInput = 2,
    SessionGridInput = 3,
    GraphicsGridInput = 4,
    CsvInput = 5,
    LasInput = 6,
};
