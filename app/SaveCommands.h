// The plain part of the main window's save commands: given the chosen path,
// write the session's solution and log as the command does. Nothing is
// written for an empty path; a failed write logs only "could not open output
// file".
#pragma once

#include <cstdint>
#include <span>
#include <string>

class Reporter;
struct SessionState;
struct UsgsDemGeoreference;

/// "Save ASCII ": logs the path, writes the matrix, then " " and "File saved.".
/// Returns false (after "could not open output file") when the file cannot be written.
bool saveAsciiMatrix(const std::string& path, const SessionState& session, Reporter& reporter);

/// "Save Elevation Array": logs the path; the input grid becomes the solution north row first,
/// truncated toward zero, and is written with kind word 1; then "File Written".
bool saveSolutionElevationArray(const std::string& path, SessionState& session, Reporter& reporter);

/// "Save SRTM" without its dialog: the solution as an SRTM tile (north row first, truncated toward
/// zero; padded with 0 to 1201 x 1201 when it fits, else written as it is up to 3601 x 3601, else
/// "File size error." and nothing written); logs the path, then writes.
bool saveSolutionAsSrtm(const std::string& path, const SessionState& session, Reporter& reporter);

struct SrtmResultSave {
    bool written = false;
    bool solutionReleased = false;   ///< the session no longer holds a solution
};
/// The batch twin saveResultAsSrtm: as "Save SRTM" without a dialog. A solution larger than
/// 1201 x 1201 is released right after its tile is built (solutionGrid absent, solutionAllocated
/// cleared) and the path is logged before writing.
SrtmResultSave saveResultAsSrtm(const std::string& path, SessionState& session, Reporter& reporter);
/// "Save DTED1": logs the path; writes the solution as a 1201 x 1201 DTED1 file behind the header
/// block kept from the last DTED1 file opened (GraphicsModel::dted1Header). Refuses (log line,
/// nothing written) with an empty header block; "could not open output file" when the file cannot
/// be created.
bool saveSolutionAsDted1(const std::string& path, const SessionState& session,
                         std::span<const std::uint8_t> headerBlock, Reporter& reporter);
/// "SaveASCIIDEM" once its form has closed (the path was logged before the form): writes the
/// solution as a USGS ASCII DEM with the georeference, then " " and "File saved.". Returns false
/// (after "could not open output file", without "File saved.") when the file cannot be written.
bool saveUsgsAsciiDem(const std::string& path, const SessionState& session, const UsgsDemGeoreference& georeference,
                      Reporter& reporter);
