// A Reporter for tests: keeps every log line, notice, progress call and beep.
#pragma once

#include "app/core/Reporter.h"

#include <algorithm>
#include <string>
#include <vector>

class RecordingReporter final : public Reporter {
public:
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, std::string>> notices;
    int progressMaximum = 0, progressPosition = 0, beeps = 0;
    bool progressVisible = false;

    void log(std::string_view line) override { lines.emplace_back(line); }
    void progressStart(int minimum, int maximum) override
    {
        progressPosition = minimum;
        progressMaximum = maximum;
        progressVisible = true;
    }
    void progressStep() override { ++progressPosition; }
    void progressHide() override { progressVisible = false; }
    void notice(std::string_view caption, std::string_view text) override { notices.emplace_back(caption, text); }
    void completionSignal() override { beeps += 3; }

    /// True when the lines contain the given sequence as consecutive lines.
    bool hasSequence(const std::vector<std::string>& sequence) const
    {
        return sequence.empty() ||
            std::search(lines.begin(), lines.end(), sequence.begin(), sequence.end()) != lines.end();
    }
    bool has(const std::string& line) const { return hasSequence({line}); }
};
