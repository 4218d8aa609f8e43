// The solver parameters: validation, logging and storing of the texts the user
// typed (the parameters dialog's Submit), and their conversion into the
// session's numbers. Shared by the dialog and the command-line tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class Reporter;
struct SessionState;

struct SolverParameterTexts {
    std::string rows = "100", columns = "100", lsqr = "10", laplacian = "100", refining = "10", scale = "1.0";
};

enum class ParameterFailure { None, Empty, NotInteger, NotDouble, OutOfRange };

/// Submit of the parameters dialog. With sizeFromInput the row and column texts
/// are ignored. On success logs the entries, stores the texts, sets
/// polishIterations and parametersSubmitted (and parametersAccepted for the
/// four-box form). Nothing is stored on failure.
ParameterFailure submitSolverParameters(SessionState& session, const SolverParameterTexts& texts,
                                        bool sizeFromInput, Reporter& reporter);

/// Cancel of the parameters dialog.
inline void cancelSolverParameters(bool& parametersAccepted) { parametersAccepted = false; }

/// Converts lsqrIterationsText and laplacianIterationsText to integers and
/// scaleFactorText to a float into the session. Returns the "Conversion Error"
/// text of the first text that does not convert (the session keeps the values
/// converted before it).
std::optional<std::string> convertIterationTexts(SessionState& session);
/// Converts scaleFactorText alone.
std::optional<std::string> convertScaleFactorText(SessionState& session);
/// Converts rowsText and columnsText to numberElevationRows and numberElevationColumns.
std::optional<std::string> convertGridSizeTexts(SessionState& session);

/// Submit of the "Shape File Scaling Limits" dialog (shown by Open after the parameters dialog
/// for a shapefile): MAXSPAN := the value, logged as "MAXSPAN is:  " and the value.
void submitMaxSpan(SessionState& session, std::int32_t maxSpan, Reporter& reporter);
/// The MAXSPAN box's default text.
inline constexpr const char* kDefaultMaxSpanText = "1200";

/// The range window's lines.
inline constexpr const char* kParameterRangeLines[] = {
    "All entries must be greater than zero.", "You must have at least 4 rows", "and at least 4 columns."};
