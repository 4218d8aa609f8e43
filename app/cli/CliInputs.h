// How gridmend-cli chooses readers and writers: through the same tables as the
// Open command (by the file's extension, exact and case-sensitive) and the
// table of output formats, with usage errors for names the tables do not take.
// The options that answer the dialogs Open shows for some inputs stand in for
// them: "--corner LAT LON" (the ER tile's "Australian ERM Data Entry Form",
// required for "aus_dem_erm") and "--maxspan N" (the shapefile's "Shape File
// Scaling Limits", default 1200). "--allow-partial" reads an input that its
// reader finds not whole (cut short, profiles or rows missing); without it such
// an input ends the command with exit status 1.
#pragma once

#include "app/core/Grid.h"

#include <map>
#include <string>

class CliOptions;
class GraphicsModel;
class Reporter;
struct OpenRow;
struct OutputOptions;
struct SessionState;
struct SolutionOutput;

/// The solver options "--lsqr N --laplacian N --refining N --scale F" (and "--rows R --columns C"),
/// and "--surface sweeps|harmonic|thin-plate|tension T".
std::map<std::string, int> cliSolverOptions();

/// The input dialogs' options and their value counts, added to a command's own.
std::map<std::string, int> withInputOptions(std::map<std::string, int> own);

/// Throws std::runtime_error when path is a folder, a device or a file that cannot be read.
void cliCheckInput(const std::string& path);
/// Throws std::runtime_error when the output path cannot be created, before any long work starts.
void cliCheckOutput(const std::string& path);

/// The Open dispatch row of an input path (checked by cliCheckInput first); throws UsageError
/// when no row takes it.
const OpenRow& cliInputRow(const std::string& path);
/// Throws UsageError when an input dialog's option is given for a row that does not ask it.
void cliCheckInputOptions(const OpenRow& row, const CliOptions& options);
/// Loads a grid input (a row that ends in the graphics window) into the model as Open does,
/// after the dialog the row asks first (the ER corner). Throws UsageError when the row's reader
/// is not available or a required option is missing, std::runtime_error for an input not whole
/// without --allow-partial; false when nothing was loaded.
bool cliLoadGrid(const OpenRow& row, const std::string& path, const CliOptions& options, GraphicsModel& graphics,
                 Reporter& reporter);
/// "&Open" of a grid input as the window opens it: the session takes the file's name and kind and
/// its size from the input, the path and " " are logged, then the grid is loaded (cliLoadGrid).
bool cliOpenGrid(const OpenRow& row, const std::string& path, const CliOptions& options, SessionState& session,
                 GraphicsModel& graphics, Reporter& reporter);
/// "Shape File Scaling Limits": MAXSPAN from --maxspan (default 1200), stored and logged.
void cliSubmitMaxSpan(const CliOptions& options, SessionState& session, Reporter& reporter);
/// The output format of a path; with solutionOnly, only the formats written from a solution.
/// Throws UsageError for any other extension.
const SolutionOutput& cliOutputFormat(const std::string& path, bool solutionOnly);

/// The parameters dialog's Submit with the solver options (--lsqr, --laplacian, --refining, --scale
/// and, without sizeFromInput, --rows and --columns; the dialog's defaults otherwise), then the
/// conversion of the texts. Throws UsageError for values the dialog refuses.
void cliSubmitSolverParameters(SessionState& session, const CliOptions& options, bool sizeFromInput,
                               Reporter& reporter);

/// Writes the graphics window's array: for a solution format through the solution-from-grid
/// transfer (as after a repair run), which releases both arrays of the model (a command writes
/// its result last), otherwise with the graphics window's own writer. False when nothing was
/// written.
bool cliWriteGraphicsArray(const std::string& path, const SolutionOutput& format, GraphicsModel& graphics,
                           const OutputOptions& options, Reporter& reporter);

/// The postings a tile's Run will fill: 1 for the null postings (below the null data
/// definition) inside the subset handed over, or the whole tile, 0 elsewhere.
ByteGrid cliNullPostings(const GraphicsModel& graphics);

/// The patch sources of the coarse-tile repair.
enum class PatchSource { Dted0, Srtm30, Dted1 };
/// Opens a patch source as its merge command does after the dialog (the path and " " logged,
/// the extension tested, the reader run, the grid held by the model). Throws UsageError for an
/// extension the command does not take, std::runtime_error for an input not whole without
/// --allow-partial; false when nothing was read.
bool cliOpenPatchSource(PatchSource source, const std::string& path, const CliOptions& options,
                        GraphicsModel& graphics, SessionState& session, Reporter& reporter);
