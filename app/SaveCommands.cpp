#include "app/SaveCommands.h"

#include "app/Reporter.h"
#include "app/SessionState.h"
#include "formats/ElevationArray.h"
#include "formats/TextGrid.h"
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

bool saveUsgsAsciiDem(const std::string& path, const SessionState& session, const UsgsDemGeoreference& georeference,
                      Reporter& reporter)
{
    if (path.empty() || !session.solutionGrid) return false;
    if (!writeUsgsAsciiDem(path, georeference, *session.solutionGrid, reporter)) return false;
    reporter.log(" ");
    reporter.log("File saved.");
    return true;
}
