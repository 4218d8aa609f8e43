// Runs gridmend-cli as a process, as a user runs it: its exit status and its standard output.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

struct CliResult {
    int status;
    std::string out;
};

/// GRIDMEND_CLI is the path of the built tool; standard error is discarded, or with withErrors
/// follows standard output. shellBefore runs first in the same shell ("ulimit -f 100;").
inline CliResult runCli(const std::string& arguments, bool withErrors = false, const std::string& shellBefore = "")
{
    const std::string command =
        shellBefore + std::string(GRIDMEND_CLI) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* p = popen(command.c_str(), "r");
    CliResult r{-1, {}};
    if (!p) return r;
    std::array<char, 4096> buf;
    for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}
