// The solution's output formats chosen by file extension, for scripted use
// (gridmend-cli interpolate and convert): ".ter" Terragen, ".bsq" 16-bit BSQ,
// ".tga" POV-Ray or grayscale TGA, ".bmp" the grey 2-D picture; anything else
// is the "Save ASCII " matrix. Each entry calls the writer the main window's
// command calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Reporter;
struct SessionState;

struct OutputOptions {
    bool tgaGrayscale = false;            ///< ".tga": grayscale instead of POV-Ray
    std::int32_t terragenHeightScale = 30;
};

struct SolutionOutput {
    const char* extension;     ///< lower case, with the dot
    const char* description;
    bool (*write)(const std::string& path, SessionState& session, const OutputOptions& options, Reporter& reporter);
};

/// The formats with an extension of their own.
const std::vector<SolutionOutput>& solutionOutputs();

/// Writes the session's solution in the format of the path's extension (the ASCII
/// matrix when no entry matches). False when nothing was written.
bool writeSolutionFile(const std::string& path, SessionState& session, const OutputOptions& options,
                       Reporter& reporter);
