// How gridmend-cli chooses readers and writers: through the same tables as the
// Open command (by the file's extension, exact and case-sensitive) and the
// table of output formats, with usage errors for names the tables do not take.
#pragma once

#include <map>
#include <string>

class CliOptions;
class GraphicsModel;
class Reporter;
struct OpenRow;
struct SessionState;
struct SolutionOutput;

/// The solver options "--lsqr N --laplacian N --refining N --scale F" (and "--rows R --columns C").
extern const std::map<std::string, int> kCliSolverOptions;

/// The Open dispatch row of an input path; throws UsageError when no row takes it.
const OpenRow& cliInputRow(const std::string& path);
/// Loads a grid input (a row that ends in the graphics window) into the model as Open does.
/// Throws UsageError when the row's reader is not available; false when nothing was loaded.
bool cliLoadGrid(const OpenRow& row, const std::string& path, GraphicsModel& graphics, Reporter& reporter);
/// The output format of a path; with solutionOnly, only the formats written from a solution.
/// Throws UsageError for any other extension.
const SolutionOutput& cliOutputFormat(const std::string& path, bool solutionOnly);

/// Submit of the parameters dialog with the solver options (the dialog's default texts for the
/// options not given), then their conversion; with sizeFromInput the row and column texts are
/// ignored. Throws UsageError for entries the dialog refuses.
void cliSubmitSolverParameters(SessionState& session, const CliOptions& options, bool sizeFromInput,
                               Reporter& reporter);
