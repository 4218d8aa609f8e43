// Sample files that tests build in memory: an HDF4 file laid out as the ASTER
// DEM product (first descriptor block, number type, dimension record, groups,
// samples) and an ER Mapper tile of the fixed "aus_dem_erm" layout assembled
// from the real 9-second Australian DEM block of tests/data/ers_dem.
#pragma once

#include "TestFiles.h"

#include <cstdint>
#include <functional>
#include <vector>


/// What the HDF file built by a test holds.
struct HdfLayout {
    std::int32_t rows = 3, cols = 4;
    int width = 16;
    std::uint16_t dimensions = 2;
    std::int64_t lengthDelta = 0;     ///< added to the data set's true length in its descriptor
    bool decoyDataSet = false;        ///< an earlier large data set (reference 9) that a later one replaces
    bool decoyGroup = false;          ///< an earlier group whose first pair names reference 9
    std::uint16_t countField = 0;     ///< descriptor count as stored (0: the true count)
    std::function<void(std::vector<std::uint8_t>&, std::size_t sample)> sample;   ///< appends one sample
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v >> 8)), out.push_back(std::uint8_t(v));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) { put16(out, v >> 16), put16(out, v & 0xFFFF); }

/// An HDF4 file laid out as the ASTER DEM product: first block of descriptors,
/// then number type, dimension record, group(s) and the samples.
inline std::vector<std::uint8_t> hdfFile(const HdfLayout& layout)
{
    struct Element {
        std::uint16_t tag, ref;
        std::vector<std::uint8_t> data;
        std::int64_t lengthOverride = -1;
    };
    std::vector<Element> elements;
    elements.push_back({0x001E, 1, {0, 0, 0, 4}});
    elements.push_back({0x006A, 5, {1, std::uint8_t(layout.width == 32 ? 5 : 22), std::uint8_t(layout.width), 0}});
    std::vector<std::uint8_t> sdd;
    put16(sdd, layout.dimensions);
    put32(sdd, std::uint32_t(layout.rows));
    put32(sdd, std::uint32_t(layout.cols));
    put16(sdd, 0x006A), put16(sdd, 5);
    elements.push_back({0x02BD, 2, sdd});
    if (layout.decoyDataSet) elements.push_back({0x02BE, 9, {}, 9'500'000});
    if (layout.decoyGroup)
        elements.push_back({0x02D0, 4, {0x02, 0xBE, 0x00, 0x09, 0x02, 0xBD, 0x00, 0x07, 0x00, 0x6A, 0x00, 0x07}});
    elements.push_back(
        {0x02D0, 3, {0x02, 0xBE, 0x00, 0x02, 0x02, 0xBD, 0x00, 0x02, 0x00, 0x6A, 0x00, 0x05, 0, 0, 0, 0}});
    std::vector<std::uint8_t> samples;   // last in the file
    std::size_t count = std::size_t(std::max(layout.rows, 0)) * std::size_t(std::max(layout.cols, 0));
    if (count > 50'000'000) count = 0;   // dimensions no file holds
    for (std::size_t i = 0; i < count; ++i) {
        if (layout.sample) layout.sample(samples, i);
        else put16(samples, std::uint32_t(i % 30000));
    }
    const std::uint32_t sdLength = std::uint32_t(std::int64_t(samples.size()) + layout.lengthDelta);
    elements.push_back({0x02BE, 2, std::move(samples), sdLength});

    std::vector<std::uint8_t> out = {0x0E, 0x03, 0x13, 0x01};
    put16(out, layout.countField ? layout.countField : std::uint16_t(elements.size()));
    put32(out, 0);
    std::uint32_t offset = std::uint32_t(10 + 12 * elements.size());
    for (const Element& e : elements) {
        put16(out, e.tag), put16(out, e.ref), put32(out, offset);
        put32(out, e.lengthOverride >= 0 ? std::uint32_t(e.lengthOverride) : std::uint32_t(e.data.size()));
        offset += std::uint32_t(e.data.size());
    }
    for (const Element& e : elements) out.insert(out.end(), e.data.begin(), e.data.end());
    return out;
}


/// A tile of the fixed ER layout (401 x 601 floats after a 512-byte header) whose samples
/// repeat the real 36 x 30 block of tests/data/ers_dem (a 9-second Australian DEM crop with
/// the same 512-byte header offset).
inline std::vector<std::uint8_t> erTileFromRealBlock()
{
    constexpr int kRows = 401, kColumns = 601;
    const auto block = readBytes(testData("ers_dem"));
    if (block.size() != 512u + 36u * 30u * 4u) return {};
    std::vector<std::uint8_t> tile(block.begin(), block.begin() + 512);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const std::size_t at = 512 + 4 * (std::size_t(r % 36) * 30 + std::size_t(c % 30));
            tile.insert(tile.end(), block.begin() + at, block.begin() + at + 4);
        }
    return tile;
}
