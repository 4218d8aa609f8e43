// How gridmend-cli chooses readers and writers: through the same tables as the
// Open command (by the file's extension, exact and case-sensitive) and the
// table of output formats, with usage errors for names the tables do not take.
// The options that answer the dialogs Open shows for some inputs stand in for
// them: "--corner LAT LON" (the ER tile's "Australian ERM Data Entry Form",
// required for "aus_dem_erm") and "--maxspan N" (the shapefile's "Shape File
// Scaling Limits", default 1200).
#pragma once

#include <map>
#include <string>

class CliOptions;
class GraphicsModel;
class Reporter;
struct OpenRow;
struct SessionState;
struct SolutionOutput;

/// The input dialogs' options and their value counts, added to a command's own.
std::map<std::string, int> withInputOptions(std::map<std::string, int> own);

/// The Open dispatch row of an input path; throws UsageError when no row takes it.
const OpenRow& cliInputRow(const std::string& path);
/// Throws UsageError when an input dialog's option is given for a row that does not ask it.
void cliCheckInputOptions(const OpenRow& row, const CliOptions& options);
/// Loads a grid input (a row that ends in the graphics window) into the model as Open does,
/// after the dialog the row asks first (the ER corner). Throws UsageError when the row's reader
/// is not available or a required option is missing; false when nothing was loaded.
bool cliLoadGrid(const OpenRow& row, const std::string& path, const CliOptions& options, GraphicsModel& graphics,
                 Reporter& reporter);
/// "Shape File Scaling Limits": MAXSPAN from --maxspan (default 1200), stored and logged.
void cliSubmitMaxSpan(const CliOptions& options, SessionState& session, Reporter& reporter);
/// The output format of a path; with solutionOnly, only the formats written from a solution.
/// Throws UsageError for any other extension.
const SolutionOutput& cliOutputFormat(const std::string& path, bool solutionOnly);
