// DTED files made by tests: a header block with the longitude-line count and the
// DSI corner fields, then the data records.
#pragma once

#include "formats/Dted.h"

#include <algorithm>
#include <cstdint>
#include <vector>

struct DsiCorner {
    const char* longitude = "0073000.0W";   // DSI longitude of origin, DDDMMSS.SH
    const char* latitude = "450000N";       // DSI latitude of the south-west corner, DDMMSSH
};

/// The UHL longitude-line count "0NNN", then `profiles` records of n elevations where
/// elevation k (south to north) of profile p (west to east) is value(p, k).
template <class Value>
std::vector<std::uint8_t> dtedFile(const char* lineCount, int profiles, int n, Value value, DsiCorner corner = {})
{
    std::vector<std::uint8_t> bytes(dted::kHeaderBytes, ' ');
    std::copy(lineCount, lineCount + 4, bytes.begin() + 47);
    std::copy(corner.longitude, corner.longitude + 10, bytes.begin() + 274);
    std::copy(corner.latitude, corner.latitude + 7, bytes.begin() + 284);
    // Each record: sentinel, block count and longitude count p, latitude count 0, the
    // elevations, a checksum (not checked: 0).
    bytes.resize(dted::kHeaderBytes - 8);
    for (int p = 0; p < profiles; ++p) {
        const auto b = std::uint8_t(p >> 8), c = std::uint8_t(p);
        bytes.insert(bytes.end(), {0xAA, 0, b, c, b, c, 0, 0});
        for (int k = 0; k < n; ++k) putDtedSample(bytes, value(p, k));
        bytes.insert(bytes.end(), 4, 0);
    }
    bytes.insert(bytes.end(), 8, 0);   // room for a next header, so a record ends 12 bytes after its elevations
    return bytes;
}

/// A DTED file of a tile (row 0 = north, column 0 = west): "1201" for a 1201 x 1201
/// tile, "0121" for 121 x 121.
inline std::vector<std::uint8_t> dtedFileOfTile(const IntGrid& tile, DsiCorner corner = {})
{
    const int n = tile.rows();
    return dtedFile(n == 1201 ? "1201" : "0121", tile.cols(), n,
                    [&](int p, int k) { return tile(n - 1 - k, p); }, corner);
}
