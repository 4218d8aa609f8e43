// The plain part of the main window's save commands: given the chosen path,
// write the session's solution and log as the command does.
#pragma once

#include <string>

class Reporter;
struct SessionState;

/// "Save ASCII ": logs the path, writes the matrix, then " " and "File saved.".
/// Returns false (after "could not open output file") when the file cannot be written.
bool saveAsciiMatrix(const std::string& path, const SessionState& session, Reporter& reporter);
