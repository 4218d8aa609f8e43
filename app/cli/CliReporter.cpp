#include "app/cli/CliReporter.h"

#include <cstdio>

void CliReporter::log(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

void CliReporter::notice(std::string_view caption, std::string_view text)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%.*s: %.*s\n", int(caption.size()), caption.data(), int(text.size()), text.data());
}
