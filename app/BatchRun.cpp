#include "app/BatchRun.h"

#include "app/core/Reporter.h"
#include "app/RunCommand.h"
#include "app/SaveCommands.h"
#include "app/SessionState.h"
#include "engine/Interpolation.h"
#include "graphics/GraphicsLoaders.h"
#include "graphics/GraphicsModel.h"

#include <new>

bool BatchList::add(const std::string& path, const std::string& extension, Reporter& reporter)
{
    if (batchFiles.size() >= kMaxFiles) {
        reporter.log(kBatchListFullLine);
        return false;
    }
    batchFiles.push_back(path);
    extensions_.push_back(extension);
    batchExtension = extension;
    reporter.log(batchExtension);
    return true;
}

void BatchList::dropLast()
{
    if (batchFiles.empty()) return;
    batchFiles.pop_back();
    extensions_.pop_back();
    batchExtension = extensions_.empty() ? std::string() : extensions_.back();
}

void startBatchMode(SessionState& session)
{
    session.batchMode = true;
    session.sizeFromInput = true;
    session.inputKind = InputKind::SessionGridInput;
}

std::string batchOutputPath(const std::string& input)
{
    if (input.empty()) return input;
    std::string output = input;
    output.back() = 'x';
    return output;
}

namespace {

enum class BatchKind { Srtm, Index, Other };

BatchKind batchKindOf(const std::string& extension)
{
    if (extension == ".hgt") return BatchKind::Srtm;
    if (extension == ".ind" || extension == ".ort" || extension == ".ORT") return BatchKind::Index;
    return BatchKind::Other;
}

/// Per-file run: the solution of the session's input grid, with no refining sweeps on the
/// relaxation-only path; completion signal and menus as Run. false after a log line.
bool solveBatchFile(const BatchJob& job, SessionState& s, GraphicsModel& graphics, Reporter& reporter)
{
    std::optional<RealGrid> solution;
    try {
        solution = solveRunInput(s, graphics, reporter, 0);
    } catch (const std::bad_alloc&) {
        reporter.log(kRunOutOfMemoryLine);
    }
    if (!solution) return false;
    s.solutionGrid = std::move(solution);
    s.numberElevationRows = s.solutionGrid->rows();
    s.numberElevationColumns = s.solutionGrid->cols();
    reporter.completionSignal();
    if (job.host.fileSolved) job.host.fileSolved();
    return true;
}

} // namespace

BatchSummary runBatch(const BatchJob& job, SessionState& s, GraphicsModel& graphics, Reporter& reporter)
{
    BatchSummary summary;
    const BatchKind kind = batchKindOf(job.list.batchExtension);
    // Every file reaches the engine as the session's input grid, whatever was opened or expanded since
    // "Continue".
    s.inputKind = InputKind::SessionGridInput;
    s.fromGraphicsWindow = false;
    // One null-data definition for the whole batch: closing the window after a file resets it.
    const std::int32_t nullDataDefinition = graphics.nullDataDefinition;
    auto closeGraphicsWindow = [&] {
        if (job.host.closeGraphicsWindow) job.host.closeGraphicsWindow();
        else graphics.closeAndHandOver(s);
        graphics.nullDataDefinition = nullDataDefinition;
        s.lastInterpolationProblem.reset();
        if (job.host.display2dDisabled) job.host.display2dDisabled();
    };

    for (int i = 0; i < job.list.batchFileCount(); ++i) {
        const std::string& path = job.list.batchFiles[std::size_t(i)];
        reporter.log(path);
        if (kind == BatchKind::Other) {
            reporter.log(kWrongFileTypeLine);
            ++summary.skipped;
            continue;
        }
        const std::string output = batchOutputPath(path);
        if (output == path) {
            reporter.log(kBatchOwnNameLine);
            ++summary.skipped;
            continue;
        }
        bool loaded;
        if (kind == BatchKind::Srtm) {
            if (job.host.hideGraphicsWindow) job.host.hideGraphicsWindow();
            loaded = loadSrtmTileForBatch(path, graphics, reporter);
        } else {
            loaded = loadIndexFileForBatch(path, graphics, reporter);
        }
        if (!loaded || !graphics.holdsContent()) {
            reporter.log(kBatchUnreadableLine);
            ++summary.skipped;
            continue;
        }
        // The grid enters the engine as "Input Data" hands it over: 0 marks the postings to fill.
        graphics.handOverInputData(s);
        if (!solveBatchFile(job, s, graphics, reporter)) {
            reporter.log(kBatchNotSolvedLine);
            closeGraphicsWindow();
            ++summary.skipped;
            continue;
        }
        // A tile keeps its known postings; an index file's grid holds no null postings (its unknown
        // cells hold 255), so its result is the whole interpolated surface.
        if (kind == BatchKind::Srtm) graphics.storeOnlyWriteBack(s, reporter);
        else reporter.log(output);
        const SrtmResultSave saved = saveResultAsSrtm(output, s, reporter);
        if (saved.solutionReleased && job.host.solutionReleased) job.host.solutionReleased();
        closeGraphicsWindow();
        if (!saved.written) {
            reporter.log(kBatchNotWrittenLine);
            ++summary.skipped;
            continue;
        }
        ++summary.saved;
        if (kind == BatchKind::Srtm) reporter.log(kFinishedFileLine + std::to_string(i));
    }
    if (job.summary) *job.summary = summary;
    return summary;
}
