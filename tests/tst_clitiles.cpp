// gridmend-cli tiles: a 3 x 3 set cut from a real tile, filled seamlessly.
#include "app/core/Reporter.h"
#include "formats/JpegReader.h"
#include "formats/SrtmHgt.h"
#include "CliRun.h"
#include "TestFiles.h"

#include <gtest/gtest.h>
#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kSide = 34;                // sub-tiles of 34 x 34, overlapping by one posting
constexpr int kMosaic = 3 * kSide - 2;   // 100 x 100
const char* const kSolver = " --lsqr 0 --laplacian 300 --refining 0";

IntGrid readTile(const std::string& path, int side)
{
    const auto bytes = readBytes(path);
    IntGrid g(side, side);
    if (bytes.size() < 2u * side * side) return IntGrid();
    for (int k = 0; k < side * side; ++k) g.data()[k] = std::int16_t(bytes[2 * k] << 8 | bytes[2 * k + 1]);
    return g;
}

std::string tileName(int i, int j) { return "N" + std::to_string(51 - i) + "E01" + std::to_string(1 + j) + ".hgt"; }

/// The crop of N49E011 with voids punched across the sub-tiles' borders, its corner and an edge.
IntGrid voidedMosaic()
{
    const IntGrid crop = readTile(testData("crop_N49E011.hgt"), 101);
    IntGrid m(kMosaic, kMosaic);
    for (int r = 0; r < kMosaic; ++r)
        for (int c = 0; c < kMosaic; ++c) m(r, c) = crop(r, c);
    for (auto [r0, c0, h, w] : {std::array{28, 8, 9, 12}, {58, 58, 14, 13}, {0, 30, 4, 7}, {20, 62, 6, 9}})
        for (int r = r0; r < r0 + h; ++r)
            for (int c = c0; c < c0 + w; ++c) m(r, c) = -32768;
    return m;
}

void writeSet(const IntGrid& mosaic, const std::string& folder)
{
    fs::create_directories(folder);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            IntGrid t(kSide, kSide);
            for (int r = 0; r < kSide; ++r)
                for (int c = 0; c < kSide; ++c) t(r, c) = mosaic(i * (kSide - 1) + r, j * (kSide - 1) + c);
            writeBytes(folder + "/" + tileName(i, j), encodeSrtmTile(t));
        }
}

/// Every posting of every output equals the mosaic's at its place.
void expectOutputsEqual(const std::string& folder, const IntGrid& mosaic)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const IntGrid t = readTile(folder + "/" + tileName(i, j), kSide);
            ASSERT_FALSE(t.empty()) << tileName(i, j);
            for (int r = 0; r < kSide; ++r)
                for (int c = 0; c < kSide; ++c)
                    ASSERT_EQ(t(r, c), mosaic(i * (kSide - 1) + r, j * (kSide - 1) + c)) << tileName(i, j) << r << "," << c;
        }
}

/// Postings two neighbouring outputs share that differ.
int seamDifferences(const std::string& folder)
{
    int n = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const IntGrid t = readTile(folder + "/" + tileName(i, j), kSide);
            if (j < 2) {
                const IntGrid east = readTile(folder + "/" + tileName(i, j + 1), kSide);
                for (int r = 0; r < kSide; ++r) n += t(r, kSide - 1) != east(r, 0);
            }
            if (i < 2) {
                const IntGrid south = readTile(folder + "/" + tileName(i + 1, j), kSide);
                for (int c = 0; c < kSide; ++c) n += t(kSide - 1, c) != south(0, c);
            }
        }
    return n;
}

int countLines(const std::string& out, const std::string& text)
{
    int n = 0;
    for (std::size_t at = 0; (at = out.find(text, at)) != std::string::npos; ++at) ++n;
    return n;
}

struct TileSetFixture : ::testing::Test {
    TempDir dir;
    IntGrid mosaic = voidedMosaic();
    std::string in = dir.file("in"), out = dir.file("out");
    void SetUp() override { writeSet(mosaic, in); }

    /// The whole mosaic filled at once by fill (the 100 x 100 file is read as one tile).
    IntGrid wholeFill()
    {
        writeBytes(dir.file("N49E011.hgt"), encodeSrtmTile(mosaic));
        EXPECT_EQ(runCli("fill " + dir.file("N49E011.hgt") + " " + dir.file("whole.hgt") + kSolver).status, 0);
        const IntGrid padded = readTile(dir.file("whole.hgt"), 1201);
        IntGrid whole(kMosaic, kMosaic);
        for (int r = 0; r < kMosaic; ++r)
            for (int c = 0; c < kMosaic; ++c) whole(r, c) = padded(r, c);
        return whole;
    }
};

} // namespace

TEST_F(TileSetFixture, FillIsSeamlessAndEqualsTheWholeMosaicFill)
{
    const CliResult r = runCli("tiles fill " + in + " " + out + kSolver + " --halo 12 --jobs 2");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(countLines(r.out, " of 9 N"), 9) << r.out;
    EXPECT_NE(r.out.find("N50E012.hgt: 2 voids, 90 postings filled"), std::string::npos) << r.out;
    const IntGrid whole = wholeFill();
    expectOutputsEqual(out, whole);

    // Shards of a job array give the same bytes; a list of paths finds the same set.
    std::string list;
    for (int k = 0; k < 9; ++k) list += in + "/" + tileName(k / 3, k % 3) + "\n";
    writeText(dir.file("list.txt"), list);
    for (const char* shard : {"0/2", "1/2"})
        ASSERT_EQ(runCli("tiles fill " + dir.file("list.txt") + " " + dir.file("sharded") + kSolver +
                         " --halo 12 --jobs 1 --shard " + shard).status, 0);
    expectOutputsEqual(dir.file("sharded"), whole);
    EXPECT_FALSE(fs::exists(dir.file("sharded/preview.jpg")));   // left to 'tiles preview'

    // Alone, each tile fills the voids crossing its borders differently: what the halo buys.
    ASSERT_EQ(runCli("tiles fill " + in + " " + dir.file("alone") + kSolver + " --halo 0").status, 0);
    int differing = 0;
    for (int k = 0; k < 9; ++k) {
        const IntGrid t = readTile(dir.file("alone/" + tileName(k / 3, k % 3)), kSide);
        for (int r = 0; r < kSide; ++r)
            for (int c = 0; c < kSide; ++c) differing += t(r, c) != whole((k / 3) * (kSide - 1) + r, (k % 3) * (kSide - 1) + c);
    }
    EXPECT_GT(differing, 20);
    EXPECT_GT(seamDifferences(dir.file("alone")), 5);

    // LSQR and refining sweeps widen the windows beyond these small tiles' halos: the line says so.
    const CliResult lsqr = runCli("tiles fill " + in + " " + dir.file("lsqr") + " --halo 33");
    EXPECT_GT(countLines(lsqr.out, " reach beyond the halo"), 0) << lsqr.out;
}

TEST_F(TileSetFixture, PreviewShowsTheMosaicWithFilledPostingsTinted)
{
    ASSERT_EQ(runCli("tiles fill " + in + " " + out + kSolver).status, 0);
    const std::optional<IntGrid> picture = decodeJpeg(readBytes(out + "/preview.jpg"));
    ASSERT_TRUE(picture && picture->rows() == kMosaic && picture->cols() == kMosaic);
    auto red = [](std::int32_t p) { return (p >> 16 & 255) > 2 * (p >> 8 & 255); };
    EXPECT_TRUE(red((*picture)(64, 64)));    // inside the punched void across the corner
    EXPECT_FALSE(red((*picture)(90, 10)));   // known terrain
    ASSERT_EQ(runCli("tiles preview " + in + " " + out + " --preview " + dir.file("p.bmp")).status, 0);
    EXPECT_EQ(readBytes(dir.file("p.bmp")).size(), 54u + 100 * 300);   // 24-bit lines of 300 bytes
}

TEST_F(TileSetFixture, RerunSkipsCompleteOutputsAndRedoesStaleOnes)
{
    const std::string command = "tiles fill " + in + " " + out + kSolver + " --halo 12";
    ASSERT_EQ(runCli(command).status, 0);
    EXPECT_EQ(countLines(runCli(command).out, "up to date, skipped"), 9);

    // A newer corner tile makes it and its three neighbours stale; a cut-short and a missing output are redone.
    fs::last_write_time(in + "/N51E011.hgt", fs::file_time_type::clock::now() + std::chrono::hours(1));
    fs::resize_file(out + "/N49E013.hgt", 100);
    fs::remove(out + "/N49E012.hgt");
    writeText(out + "/.N49E012.hgt.99999-0.part", "left by a killed run");
    const CliResult r = runCli(command);
    EXPECT_EQ(countLines(r.out, "up to date, skipped"), 3) << r.out;
    EXPECT_FALSE(fs::exists(out + "/.N49E012.hgt.99999-0.part"));
    expectOutputsEqual(out, wholeFill());
}

TEST_F(TileSetFixture, KilledRunLeavesOnlyCompleteTilesAndRerunFinishes)
{
    // Slow tiles, one at a time: the run is killed after the first tile's line.
    const std::vector<std::string> args = {"tiles", "fill", in, out, "--lsqr", "0", "--laplacian", "40000",
                                           "--refining", "0", "--halo", "12", "--jobs", "1"};
    int pipeFd[2];
    ASSERT_EQ(pipe(pipeFd), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFd[1], 1);
        std::vector<char*> argv{const_cast<char*>(GRIDMEND_CLI)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(GRIDMEND_CLI, argv.data());
        _exit(127);
    }
    close(pipeFd[1]);
    std::string seen;
    char buf[256];
    for (ssize_t n; seen.find(" of 9 ") == std::string::npos && (n = read(pipeFd[0], buf, sizeof buf)) > 0;)
        seen.append(buf, std::size_t(n));
    kill(pid, SIGKILL);
    close(pipeFd[0]);
    waitpid(pid, nullptr, 0);

    const CliResult reference = runCli("tiles fill " + in + " " + dir.file("ref") + " --lsqr 0 --laplacian 40000 --refining 0 --halo 12");
    ASSERT_EQ(reference.status, 0);
    int complete = 0;
    for (const auto& e : fs::directory_iterator(out))
        if (e.path().extension() == ".hgt") {
            ++complete;
            EXPECT_EQ(readBytes(e.path().string()), readBytes(dir.file("ref/" + e.path().filename().string())));
        }
    EXPECT_LT(complete, 9);
    std::string command;
    for (const std::string& a : args) command += a + " ";
    const CliResult rerun = runCli(command);
    ASSERT_EQ(rerun.status, 0);
    EXPECT_EQ(countLines(rerun.out, "up to date, skipped"), complete);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(readBytes(out + "/" + tileName(k / 3, k % 3)), readBytes(dir.file("ref/" + tileName(k / 3, k % 3))));
    for (const auto& e : fs::directory_iterator(out)) EXPECT_NE(e.path().extension(), ".part") << e.path();
}

TEST(CliTiles, RefusesSetsItCannotFill)
{
    TempDir dir;
    fs::create_directories(dir.file("empty"));
    fs::create_directories(dir.file("mixed"));
    writeBytes(dir.file("mixed/N10E010.hgt"), std::vector<std::uint8_t>(2 * 5 * 5));
    writeBytes(dir.file("mixed/N10E011.hgt"), std::vector<std::uint8_t>(2 * 6 * 6));
    fs::create_directories(dir.file("odd"));
    writeBytes(dir.file("odd/N10E010.hgt"), std::vector<std::uint8_t>(2 * 5 * 5 + 1));
    writeText(dir.file("badlist.txt"), dir.file("mixed/N10E010.hgt") + "\n" + dir.file("notes.txt") + "\n");
    writeText(dir.file("twice.txt"), dir.file("mixed/N10E010.hgt") + "\n" + dir.file("odd/../mixed/N10E010.hgt") + "\n");
    struct Row { std::string args, line; int status; };
    for (const Row& row : {Row{"empty", "No SRTM tiles (such as N49E011.hgt) in", 1},
                           Row{"mixed", "Tiles of different sizes: ", 1},
                           Row{"odd", "Not a square tile of 16-bit postings: ", 1},
                           Row{"badlist.txt", "Not an SRTM tile name (such as N49E011.hgt): ", 1},
                           Row{"twice.txt", "Two tiles of one cell: ", 1},
                           Row{"missing.txt", "Cannot read the tile list ", 1},
                           Row{"mixed --shard 2/2", "", 2}, Row{"mixed --halo -1", "", 2}}) {
        const CliResult r = runCli("tiles fill " + dir.file(row.args) + " " + dir.file("out"));
        EXPECT_EQ(r.status, row.status) << row.args << r.out;
        EXPECT_NE(r.out.find(row.line), std::string::npos) << row.args << r.out;
    }
    EXPECT_EQ(runCli("tiles mend " + dir.file("mixed") + " " + dir.file("out")).status, 2);
    // Outputs over their own inputs are refused, the inputs untouched.
    fs::create_directories(dir.file("same"));
    writeBytes(dir.file("same/N10E010.hgt"), std::vector<std::uint8_t>(2 * 5 * 5, 0x80));
    const CliResult inPlace = runCli("tiles fill " + dir.file("same") + " " + dir.file("same/."));
    EXPECT_EQ(inPlace.status, 1);
    EXPECT_NE(inPlace.out.find(" holds the input tile "), std::string::npos) << inPlace.out;
    EXPECT_EQ(readBytes(dir.file("same/N10E010.hgt")), std::vector<std::uint8_t>(2 * 5 * 5, 0x80));
}
