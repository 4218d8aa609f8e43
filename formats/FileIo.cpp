#include "formats/FileIo.h"

#include "app/Reporter.h"

#include <cstdio>
#include <memory>

namespace fileio {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;
} // namespace

std::optional<std::vector<std::uint8_t>> readFileQuietly(const std::string& path)
{
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(f.get());
        if (size > 0) bytes.reserve(std::size_t(size));
        std::rewind(f.get());
    }
    std::uint8_t buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) bytes.insert(bytes.end(), buf, buf + n);
    if (std::ferror(f.get())) return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::uint8_t>> readInputFile(const std::string& path, Reporter& reporter)
{
    auto bytes = readFileQuietly(path);
    reporter.log(bytes ? kOpenedLine : kCouldNotOpenLine);
    reporter.log(" ");
    return bytes;
}

bool writeOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter)
{
    File f(std::fopen(path.c_str(), "wb"));
    bool ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
    if (f) ok = (std::fclose(f.release()) == 0) && ok;
    if (!ok) reporter.log(kCouldNotOpenOutputLine);
    return ok;
}

bool writeOutputFile(const std::string& path, const std::string& text, Reporter& reporter)
{
    return writeOutputFile(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
        reporter);
}

} // namespace fileio
