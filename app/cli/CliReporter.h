// gridmend-cli's reporter: every diagnostics-log line on standard output,
// notices on standard error, no beeps. Progress goes to standard error as GDAL's
// command-line tools show it ("0...10...20...30 ... 100 - done."), only when
// standard error is a terminal and --quiet was not given.
#pragma once

#include "app/core/Reporter.h"

class CliReporter final : public Reporter {
public:
    /// Progress shown when standard error is a terminal, unless quiet.
    explicit CliReporter(bool quiet = false);
    void log(std::string_view line) override;
    void progressStart(int minimum, int maximum) override;
    void progressStep() override;
    void progressHide() override;
    void notice(std::string_view caption, std::string_view text) override;
    void completionSignal() override {}

private:
    void showUpTo(int tick);
    bool showProgress_;
    long long position_ = 0, minimum_ = 0, maximum_ = 0;
    int ticksShown_ = -1;   ///< of 40 (one per 2.5 %); -1: no bar on the line
};
