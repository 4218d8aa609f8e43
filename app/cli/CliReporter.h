// gridmend-cli's reporter: every diagnostics-log line on standard output,
// notices on standard error; no progress bar and no beeps.
#pragma once

#include "app/Reporter.h"

class CliReporter final : public Reporter {
public:
    void log(std::string_view line) override;
    void progressStart(int, int) override {}
    void progressStep() override {}
    void progressHide() override {}
    void notice(std::string_view caption, std::string_view text) override;
    void completionSignal() override {}
};
