// The plain part of the main window's save commands: given the chosen path,
// write the session's solution and log as the command does. Nothing is
// written for an empty path; a failed write logs only "could not open output
// file".
#pragma once

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

/// "SaveASCIIDEM" once its form has closed (the path was logged before the form): writes the
/// solution as a USGS ASCII DEM with the georeference, then " " and "File saved.". Returns false
/// (after "could not open output file", without "File saved.") when the file cannot be written.
bool saveUsgsAsciiDem(const std::string& path, const SessionState& session, const UsgsDemGeoreference& georeference,
                      Reporter& reporter);
