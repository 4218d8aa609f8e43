// File access shared by every reader and writer: the common input opener with
// its log lines, whole-file reads, bounds-checked byte decoding (big- and
// little-endian) and output files that report their failure.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Reporter;

namespace fileio {

inline constexpr const char* kOpenedLine = "opened file successfully";
inline constexpr const char* kCouldNotOpenLine = "could not open input file";
inline constexpr const char* kCouldNotOpenOutputLine = "could not open output file";

/// Reads the whole file for binary reading, logging "could not open input file"
/// or "opened file successfully" and then a line holding one space.
std::optional<std::vector<std::uint8_t>> readInputFile(const std::string& path, Reporter& reporter);
/// The same without any log line.
std::optional<std::vector<std::uint8_t>> readFileQuietly(const std::string& path);

/// Why a path cannot be read as an input file ("... is a folder, not a file", a device, the
/// system's reason); empty when it is a regular file that can be opened or when it does not exist
/// (the readers report a missing file themselves).
std::string inputProblem(const std::string& path);
/// Why the file at path cannot be created or replaced (missing or read-only folder, a folder
/// under that name, the system's reason); empty when it can. Tries a temporary file beside it.
std::string outputProblem(const std::string& path);

/// Writes bytes to a temporary file beside path, flushes it to disk and renames it over path, so
/// an existing file stays whole until the new one is; on failure the temporary is removed and
/// any existing file is untouched. A device (not a regular file) is written in place. Returns
/// the system's reason for a failure, empty on success.
std::string replaceFile(const std::string& path, std::span<const std::uint8_t> bytes);
/// Flushes a temporary another writer finished to disk and renames it over path, durably, as
/// replaceFile does with its own; returns the system's reason on failure (nothing is removed).
std::string commitTemporary(const std::string& temporary, const std::string& path);
/// replaceFile; logs "could not open output file" and then the reason, and returns false, when
/// the file cannot be created or written.
bool writeOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter);
bool writeOutputFile(const std::string& path, const std::string& text, Reporter& reporter);

/// Signed 16-bit two's-complement sample, high byte first.
inline std::int16_t bigEndianInt16(const std::uint8_t* p) { return std::int16_t(std::uint16_t(p[0] << 8 | p[1])); }
/// Appends the low 16 bits of v, high byte first.
inline void putBigEndian16(std::vector<std::uint8_t>& out, std::int32_t v)
{
    out.push_back(std::uint8_t((v >> 8) & 0xFF));
    out.push_back(std::uint8_t(v & 0xFF));
}
/// Appends the low 16 bits of v, low byte first.
inline void putLittleEndian16(std::vector<std::uint8_t>& out, std::int32_t v)
{
    out.push_back(std::uint8_t(v & 0xFF));
    out.push_back(std::uint8_t((v >> 8) & 0xFF));
}

/// Bounds-checked reads from a byte buffer: a read past the end gives nothing.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
    std::size_t size() const { return data_.size(); }
    bool has(std::size_t offset, std::size_t count) const
    {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    std::optional<std::uint8_t> u8(std::size_t at) const
    {
        if (!has(at, 1)) return std::nullopt;
        return data_[at];
    }
    std::optional<std::int16_t> be16(std::size_t at) const
    {
        if (!has(at, 2)) return std::nullopt;
        return bigEndianInt16(&data_[at]);
    }
    std::optional<std::uint16_t> le16u(std::size_t at) const
    {
        if (!has(at, 2)) return std::nullopt;
        return std::uint16_t(data_[at] | data_[at + 1] << 8);
    }
    std::optional<std::uint32_t> be32u(std::size_t at) const
    {
        if (!has(at, 4)) return std::nullopt;
        return std::uint32_t(data_[at]) << 24 | std::uint32_t(data_[at + 1]) << 16 |
               std::uint32_t(data_[at + 2]) << 8 | data_[at + 3];
    }
    std::optional<std::uint32_t> le32u(std::size_t at) const
    {
        if (!has(at, 4)) return std::nullopt;
        return std::uint32_t(data_[at]) | std::uint32_t(data_[at + 1]) << 8 |
               std::uint32_t(data_[at + 2]) << 16 | std::uint32_t(data_[at + 3]) << 24;
    }
    std::optional<std::int32_t> le32(std::size_t at) const
    {
        auto v = le32u(at);
        if (!v) return std::nullopt;
        return std::int32_t(*v);
    }
    std::optional<std::int32_t> be32(std::size_t at) const
    {
        auto v = be32u(at);
        if (!v) return std::nullopt;
        return std::int32_t(*v);
    }
    std::optional<double> leDouble(std::size_t at) const
    {
        if (!has(at, 8)) return std::nullopt;
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i) bits = bits << 8 | data_[at + std::size_t(i)];
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    std::optional<float> beFloat(std::size_t at) const
    {
        auto v = be32u(at);
        if (!v) return std::nullopt;
        float f;
        std::uint32_t bits = *v;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    std::span<const std::uint8_t> span() const { return data_; }

private:
    std::span<const std::uint8_t> data_;
};

} // namespace fileio
