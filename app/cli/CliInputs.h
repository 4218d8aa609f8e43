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
struct OutputOptions;
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

/// The parameters dialog's Submit with the solver options (--lsqr, --laplacian, --refining, --scale
/// and, without sizeFromInput, --rows and --columns; the dialog's defaults otherwise), then the
/// conversion of the texts. Throws UsageError for values the dialog refuses.
void cliSubmitSolverParameters(SessionState& session, const CliOptions& options, bool sizeFromInput,
                               Reporter& reporter);

/// Writes the graphics window's array: for a solution format through the solution-from-grid
/// transfer (as after a repair run), otherwise with the graphics window's own writer. False
/// when nothing was written.
bool cliWriteGraphicsArray(const std::string& path, const SolutionOutput& format, GraphicsModel& graphics,
                           const OutputOptions& options, Reporter& reporter);

/// The patch sources of the coarse-tile repair.
enum class PatchSource { Dted0, Srtm30, Dted1 };
/// Opens a patch source as its merge command does after the dialog (the path and " " logged,
/// the extension tested, the reader run, the grid held by the model). Throws UsageError for an
/// extension the command does not take; false when nothing was read.
bool cliOpenPatchSource(PatchSource source, const std::string& path, GraphicsModel& graphics,
                        SessionState& session, Reporter& reporter);
