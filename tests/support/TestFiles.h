// Temporary files for tests, removed at the end of the test.
#pragma once

#include "formats/SrtmHgt.h"
#include "RecordingReporter.h"

#include <cstdint>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir()
    {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("gridmend-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::error_code ec; std::filesystem::remove_all(path_, ec); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

/// An SRTM tile file's postings, north row first; an empty grid when it cannot be read.
inline IntGrid readTileFile(const std::string& path)
{
    NullReporter quiet;
    return readSrtmTile(path, quiet).value_or(IntGrid());
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<std::uint8_t> readBytes(const std::string& path)
{
    const std::string text = readText(path);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

/// The directory holding the project's test data files.
inline std::string testData(const std::string& name) { return std::string(GRIDMEND_TEST_DATA_DIR) + "/" + name; }

/// The values of a grid at the given (row, column) cells, to compare with one expectation.
template <class G>
std::vector<typename G::value_type> cellsAt(const G& g, const std::vector<std::pair<int, int>>& at)
{
    std::vector<typename G::value_type> out;
    for (auto [r, c] : at) out.push_back(g(r, c));
    return out;
}

/// A grid written out row by row (row 0 first).
template <class G = IntGrid>
G gridOf(const std::vector<std::vector<typename G::value_type>>& rows)
{
    G g(int(rows.size()), rows.empty() ? 0 : int(rows[0].size()));
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c) g(r, c) = rows[std::size_t(r)][std::size_t(c)];
    return g;
}

template <class T>
class Grid;

/// Grids print row by row in failure messages.
template <class T>
void PrintTo(const Grid<T>& g, std::ostream* os)
{
    *os << g.rows() << " x " << g.cols();
    for (int r = 0; r < g.rows() && r < 12; ++r) {
        *os << "\n ";
        for (int c = 0; c < g.cols() && c < 12; ++c) *os << " " << +g(r, c);
    }
}
