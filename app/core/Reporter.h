// How plain code talks to the user: lines for the diagnostics log, the
// vertical progress bar, notices (message boxes raised in the middle of an
// operation) and the completion signal. The main window implements it; the
// command-line tool prints; tests record.
#pragma once

#include <string>
#include <string_view>
#include <utility>

class Reporter {
public:
    virtual ~Reporter() = default;

    /// Appends one whole line to the diagnostics log.
    virtual void log(std::string_view line) = 0;

    /// Progress bar: range minimum..maximum, position minimum, shown.
    virtual void progressStart(int minimum, int maximum) = 0;
    /// Advances the position by one (also while hidden).
    virtual void progressStep() = 0;
    virtual void progressHide() = 0;

    /// A modal notice with a caption ("Conversion Error", "Error!") and text;
    /// returns when the user has closed it.
    virtual void notice(std::string_view caption, std::string_view text) = 0;

    /// Three beeps 250 ms apart, sounded once per completed interpolation.
    virtual void completionSignal() = 0;

    /// A line saying that an input file is not whole (cut short, rows or profiles missing):
    /// logged like any other line and remembered, so that a caller can refuse the input.
    void incompleteInput(std::string_view line)
    {
        incompleteInput_ = true;
        log(line);
    }
    /// Whether incompleteInput() was called since the last call of this one.
    bool takeIncompleteInput() { return std::exchange(incompleteInput_, false); }

private:
    bool incompleteInput_ = false;
};

/// Discards everything.
class NullReporter final : public Reporter {
public:
    void log(std::string_view) override {}
    void progressStart(int, int) override {}
    void progressStep() override {}
    void progressHide() override {}
    void notice(std::string_view, std::string_view) override {}
    void completionSignal() override {}
};

/// Log-line formatting shared by every subsystem: a label ending in two blanks
/// followed by the value ("numberRows is:  " 42).
std::string formatReal(double v);           ///< shortest general decimal form ("0.5", "1e-10", "2")
std::string formatFixed(double v, int decimals);
/// General decimal form with at most `digits` significant digits ("%.15g": "1234.5", "0.255").
std::string formatSignificant(double v, int digits = 15);
