// gridmend-cli run as a process, as a user runs it: exit status and standard output.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

struct Result {
    int status;
    std::string out;
};

inline Result runCli(const std::string& arguments)
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
