// gridmend-cli run as a process, as a user runs it.
#include "formats/TextGrid.h"
#include "RecordingReporter.h"
#include "TestFiles.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

struct Result {
    int status;
    std::string out;
};

Result runCli(const std::string& arguments)
{
    const std::string command = std::string(GRIDMEND_CLI) + " " + arguments + " 2>/dev/null";
    FILE* p = popen(command.c_str(), "r");
    Result r{-1, {}};
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace

TEST(Cli, InterpolateRelaxesATextGridAndWritesTheMatrix)
{
    TempDir dir;
    // 4 x 4, file order = south row first; corners known.
    writeText(dir.file("in.txt"), "40 0 0 40\n0 0 0 0\n0 0 0 0\n100 0 0 100\n");
    const Result r = runCli("interpolate " + dir.file("in.txt") + " " + dir.file("out.txt") +
                            " --rows 4 --columns 4 --lsqr 0 --laplacian 300 --refining 0");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Computing Initial Estimate\nDone interpolating file.\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("LSQR Iterations is:  0\nLaplacian Iterations is:  300\n"), std::string::npos);
    EXPECT_NE(r.out.find("File saved."), std::string::npos);
    const TextGridRead out = parseTextGrid(readText(dir.file("out.txt")), 4, 4);
    ASSERT_EQ(out.valuesRead, 16u);
    EXPECT_EQ(out.grid(0, 0), 40.0);
    EXPECT_EQ(out.grid(3, 3), 100.0);
    EXPECT_GT(out.grid(1, 1), 40.0);
    EXPECT_LT(out.grid(2, 2), 100.0);
    EXPECT_EQ(readText(dir.file("out.txt")).substr(0, 10), "   40.0000");
}

TEST(Cli, FailsWithAStatusOnBadInput)
{
    TempDir dir;
    writeText(dir.file("short.txt"), "1 2 3");
    EXPECT_EQ(runCli("interpolate " + dir.file("short.txt") + " " + dir.file("o.txt") +
                     " --rows 4 --columns 4 --lsqr 0").status, 1);
    EXPECT_EQ(runCli("interpolate " + dir.file("missing.txt") + " " + dir.file("o.txt") +
                     " --rows 4 --columns 4 --lsqr 0").status, 1);
    EXPECT_EQ(runCli("interpolate only-one-argument --rows 4 --columns 4").status, 2);
    EXPECT_EQ(runCli("interpolate a b --rows 3 --columns 4 --lsqr 0").status, 2);
    EXPECT_EQ(runCli("interpolate a b --rows x --columns 4").status, 2);
    EXPECT_EQ(runCli("interpolate a b --columns 4").status, 2);
    EXPECT_EQ(runCli("no-such-command").status, 2);
}
