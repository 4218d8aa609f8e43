#include "app/SolverParameters.h"

#include "app/core/Reporter.h"
#include "app/SessionState.h"
#include "app/core/TextNumbers.h"

#include <vector>

namespace {

const char* const kNotAnInteger = "Text box entry must be an integer!";
const char* const kNotADouble = "Text box entry must be a double!";

struct Entry {
    const std::string* text;
    bool isInteger;
    double minimum;
};

} // namespace

ParameterFailure submitSolverParameters(SessionState& s, const SolverParameterTexts& t, bool sizeFromInput,
                                        Reporter& reporter)
{
    // Checked in the order of the form's tab sequence; each conversion happens where
    // its range test does, so an earlier range failure hides a later bad text.
    std::vector<Entry> entries;
    if (sizeFromInput)
        entries = {{&t.lsqr, true, 0}, {&t.laplacian, true, 0}, {&t.scale, false, 0}, {&t.refining, true, 0}};
    else
        entries = {{&t.rows, true, 4}, {&t.lsqr, true, 0},  {&t.columns, true, 4},
                   {&t.laplacian, true, 0}, {&t.scale, false, 0}, {&t.refining, true, 0}};
    // The empty check of the four-box form runs in the order LSQR, Laplacian, Scale, Refining.
    for (const Entry& e : entries)
        if (e.text->empty()) return ParameterFailure::Empty;
    for (const Entry& e : entries) {
        double v;
        if (e.isInteger) {
            auto i = parseIntText(*e.text);
            if (!i) return ParameterFailure::NotInteger;
            v = *i;
        } else {
            auto d = parseRealText(*e.text);
            if (!d) return ParameterFailure::NotDouble;
            v = *d;
        }
        if (v < e.minimum) return ParameterFailure::OutOfRange;
    }

    if (!sizeFromInput) {
        reporter.log("number of rows is:  " + t.rows);
        reporter.log("number of columns is:  " + t.columns);
    }
    reporter.log("LSQR Iterations is:  " + t.lsqr);
    reporter.log("Laplacian Iterations is:  " + t.laplacian);
    reporter.log("Scale Factor is:  " + t.scale);
    reporter.log("Refining Iterations is:  " + t.refining);
    reporter.log(" ");
    reporter.log("Select 'Run' from main menu. ");

    if (!sizeFromInput) {
        s.rowsText = t.rows;
        s.columnsText = t.columns;
    }
    s.lsqrIterationsText = t.lsqr;
    s.laplacianIterationsText = t.laplacian;
    s.scaleFactorText = t.scale;
    s.polishIterations = *parseIntText(t.refining);
    s.parametersSubmitted = true;
    if (sizeFromInput) s.parametersAccepted = true;
    return ParameterFailure::None;
}

std::optional<std::string> convertIterationTexts(SessionState& s)
{
    auto laplacian = parseIntText(s.laplacianIterationsText);
    if (!laplacian) return kNotAnInteger;
    s.laplacianIterations = *laplacian;
    auto lsqr = parseIntText(s.lsqrIterationsText);
    if (!lsqr) return kNotAnInteger;
    s.lsqrIterations = *lsqr;
    return convertScaleFactorText(s);
}

std::optional<std::string> convertScaleFactorText(SessionState& s)
{
    auto scale = parseRealText(s.scaleFactorText);
    if (!scale) return kNotADouble;
    s.scaleFactor = *scale;
    return std::nullopt;
}

std::optional<std::string> convertGridSizeTexts(SessionState& s)
{
    auto rows = parseIntText(s.rowsText);
    if (!rows) return kNotAnInteger;
    s.numberElevationRows = *rows;
    auto cols = parseIntText(s.columnsText);
    if (!cols) return kNotAnInteger;
    s.numberElevationColumns = *cols;
    return std::nullopt;
}

void submitMaxSpan(SessionState& s, std::int32_t maxSpan, Reporter& reporter)
{
    s.MAXSPAN = maxSpan;
    reporter.log("MAXSPAN is:  " + std::to_string(maxSpan));
}
