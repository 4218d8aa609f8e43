#include "app/cli/CliReporter.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kTicks = 40;   // a dot every 2.5 %, the tens as numbers
}

CliReporter::CliReporter(bool quiet) : showProgress_(!quiet && isatty(fileno(stderr)) != 0) {}

void CliReporter::log(std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

void CliReporter::progressStart(int minimum, int maximum)
{
    progressHide();
    minimum_ = position_ = minimum;
    maximum_ = maximum;
    if (showProgress_ && maximum > minimum) showUpTo(0);
}

void CliReporter::progressStep()
{
    ++position_;
    if (ticksShown_ < 0 || maximum_ <= minimum_) return;
    const long long done = std::min(position_, maximum_) - minimum_;
    showUpTo(int(done * kTicks / (maximum_ - minimum_)));
}

void CliReporter::progressHide()
{
    if (ticksShown_ < 0) return;
    std::fputs(ticksShown_ == kTicks ? " - done.\n" : "\n", stderr);
    ticksShown_ = -1;
}

void CliReporter::showUpTo(int tick)
{
    if (!showProgress_) return;
    for (int t = ticksShown_ + 1; t <= tick && t <= kTicks; ++t) {
        if (t % 4 == 0) std::fprintf(stderr, "%d", t / 4 * 10);
        else std::fputc('.', stderr);
        ticksShown_ = t;
    }
    std::fflush(stderr);
}

void CliReporter::notice(std::string_view caption, std::string_view text)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%.*s: %.*s\n", int(caption.size()), caption.data(), int(text.size()), text.data());
}
