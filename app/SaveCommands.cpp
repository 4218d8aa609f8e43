#include "app/SaveCommands.h"

#include "app/core/Reporter.h"
#include "app/SessionState.h"
#include "formats/Dted.h"
#include "formats/ElevationArray.h"
#include "formats/SrtmHgt.h"
#include "formats/TextGrid.h"
#include "graphics/GraphicsLoaders.h"
#include "formats/UsgsDemWriter.h"

bool saveAsciiMatrix(const std::string& path, const SessionState& session, Reporter& reporter)
{
    reporter.log(path);
    if (path.empty() || !session.solutionGrid) return false;
    if (!writeAsciiMatrix(path, *session.solutionGrid, reporter)) return false;
    reporter.log(" ");
    reporter.log("File saved.");
    return true;
}

bool saveSolutionElevationArray(const std::string& path, SessionState& session, Reporter& reporter)
{
    reporter.log(path);
    if (path.empty() || !session.solutionGrid) return false;
    session.inputGridFromSolution();
    if (!writeElevationArray(path, *session.inputGrid, kElevationGridKind, reporter)) return false;
    reporter.log(kFileWrittenLine);
    return true;
}

bool saveSolutionAsSrtm(const std::string& path, const SessionState& session, Reporter& reporter)
{
    if (!session.solutionGrid) return false;
    const auto bytes = srtmBytesFromSolution(*session.solutionGrid, reporter);
    return bytes && saveSrtmBytes(path, *bytes, reporter);
}

SrtmResultSave saveResultAsSrtm(const std::string& path, SessionState& session, Reporter& reporter)
{
    SrtmResultSave result;
    if (!session.solutionGrid) return result;
    const auto tile = srtmTileFromSolution(*session.solutionGrid, reporter);
    if (!tile) return result;
    if (session.solutionGrid->rows() > srtm::kTile3 || session.solutionGrid->cols() > srtm::kTile3) {
        session.solutionGrid.reset();
        session.solutionAllocated = false;
        result.solutionReleased = true;
        reporter.log(path);
    }
    result.written = writeSrtmTile(path, *tile, reporter);
    return result;
}

bool saveSolutionAsDted1(const std::string& path, const SessionState& session,
                         std::span<const std::uint8_t> headerBlock, Reporter& reporter)
{
    if (path.empty()) return false;
    reporter.log(path);
    if (!session.solutionGrid) return false;
    return writeDted1(path, *session.solutionGrid, headerBlock, reporter);
}

bool saveUsgsAsciiDem(const std::string& path, const SessionState& session, const UsgsDemGeoreference& georeference,
                      Reporter& reporter)
{
    if (path.empty() || !session.solutionGrid) return false;
    if (!writeUsgsAsciiDem(path, georeference, *session.solutionGrid, reporter)) return false;
    reporter.log(" ");
    reporter.log("File saved.");
    return true;
}
