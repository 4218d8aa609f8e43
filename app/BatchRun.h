// Batch interpolation: many SRTM tiles (or index files) filled with one set
// of solver parameters and one null-data definition, each saved as an SRTM
// height file next to its input.
//
// The list is collected by "Add Files" of the "Batch Mode Dialog"; "Continue"
// starts batch mode; every later "Run Gridmend" runs the batch loop over the
// list. Per file: load (by the extension of the last file added), hand the
// grid over as "Input Data" does, solve (relaxation without refining sweeps,
// or the LSQR path), write the solution into the null postings of the tile
// (store-only write-back), save under the input's name with its last
// character replaced by "x", close the graphics window.
//
// Pre: batchMode is set and the solver parameters are converted.
// Post: one output per file that could be loaded and solved; a file that
// cannot be loaded, whose output name is its own name, or whose run fails is
// skipped with a log line and nothing is written for it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class GraphicsModel;
class Reporter;
struct SessionState;

/// The batch list of the "Batch Mode Dialog".
struct BatchList {
    static constexpr std::size_t kMaxFiles = 1000;

    std::vector<std::string> batchFiles;
    std::string batchExtension;   ///< of the most recently added file ("" when it has none)

    int batchFileCount() const { return int(batchFiles.size()); }
    /// "Add Files": appends the path, takes its extension (extensionOf(path) of the Open dispatch,
    /// given by the caller) as batchExtension and logs it. A full list refuses the path (log line)
    /// and returns false.
    bool add(const std::string& path, const std::string& extension, Reporter& reporter);
    /// "Cancel": drops the most recently added path; batchExtension becomes that of the new last
    /// path ("" for an empty list).
    void dropLast();

private:
    std::vector<std::string> extensions_;   ///< of each path, for dropLast
};

/// What the batch loop asks of the windows; an empty entry does nothing (the command-line tool).
struct BatchHost {
    std::function<void()> hideGraphicsWindow;      ///< before an SRTM tile is read
    /// Closes the graphics window without asking (empty: the model's own Close).
    std::function<void()> closeGraphicsWindow;
    std::function<void()> fileSolved;              ///< disable "Run Gridmend", enable "View"
    std::function<void()> display2dDisabled;       ///< disable "Display 2D Image"
    std::function<void()> solutionReleased;        ///< no solution is held: disable View and the saves
};

/// What a batch run did.
struct BatchSummary {
    int saved = 0;     ///< files whose output was written
    int skipped = 0;   ///< files skipped (wrong type, unreadable, own name, failed run or write)
};

struct BatchJob {
    const BatchList& list;
    BatchHost host;
    BatchSummary* summary = nullptr;   ///< receives the counts of the run, when given
};

/// "Continue": batchMode, sizeFromInput and the session-grid input kind are set. (The dialog then
/// asks for the solver parameters and the null-data definition.)
void startBatchMode(SessionState& session);

/// The batch loop (Run with batchMode set).
BatchSummary runBatch(const BatchJob& job, SessionState& session, GraphicsModel& graphics, Reporter& reporter);

/// The output path of an input: its last character replaced by "x" ("N45W122.hgt" -> "N45W122.hgx").
std::string batchOutputPath(const std::string& input);

inline constexpr const char* kWrongFileTypeLine = "Wrong file type.";
inline constexpr const char* kFinishedFileLine = "Finished processing file number:  ";
inline constexpr const char* kBatchListFullLine = "The batch list holds 1000 files: no more can be added.";
inline constexpr const char* kBatchUnreadableLine = "Skipped: the file could not be loaded.";
inline constexpr const char* kBatchOwnNameLine =
    "Skipped: the output name is the input's own name, and the input is not overwritten.";
inline constexpr const char* kBatchNotSolvedLine = "Skipped: the file could not be interpolated.";
inline constexpr const char* kBatchNotWrittenLine = "Skipped: the result could not be saved.";
