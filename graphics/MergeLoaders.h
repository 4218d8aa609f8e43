// The patch sources of the coarse-tile repair, read for the graphics window by
// the main window's "Open DTED0 Merge DEM", "Open DTED1 Merge DEM" and "Open
// SRTM30 Merge DEM" once their dialogs were accepted: the extension test, the
// reader (with its log lines) and the hand-over to the window's model. A file
// that cannot be read hands over nothing; the source held before stays.
#pragma once

#include <string>

class GraphicsModel;
class Reporter;
struct GridHandover;

inline constexpr const char* kDted0FileFilter = "DTED0|*.dt0";
inline constexpr const char* kDted1FileFilter = "DTED1 Files|*.dt1; *.DT1";
inline constexpr const char* kSrtm30FileFilter = "heightfield|*.hgt|dem|*.dem";
inline constexpr const char* kInvalidDted0Line = "Invalid file type.  File must be .dt0";
inline constexpr const char* kInvalidDted1Line = "Invalid file type.  File must be .dt1";
/// objectNames of the windows that show the DTED merge sources (children of the main window).
inline constexpr const char* kDted0BaseFileName = "dted0BaseFile";
inline constexpr const char* kDted1MergeImageName = "dted1MergeImage";

/// What a merge opener did with the chosen file.
enum class MergeLoad {
    WrongType,   ///< the extension is not the command's (the invalid-type line was logged, if it has one)
    Failed,      ///< the file could not be read (the reader's lines were logged); nothing handed over
    Loaded,
};

/// "Open DTED0 Merge DEM": extension exactly ".dt0" (otherwise the invalid-type line):
/// the 121 x 121 tile becomes dted0Grid.
MergeLoad loadDted0MergeDem(const std::string& path, const std::string& extension, GraphicsModel& graphics,
                       Reporter& reporter);

/// "Open DTED1 Merge DEM": extension ".dt1" or ".DT1" (otherwise the invalid-type line):
/// the corner from the DSI record, then the 1201 x 1201 tile becomes dted1Grid with
/// that corner. The kept header block of "Save DTED1" is not replaced.
MergeLoad loadDted1MergeDem(const std::string& path, const std::string& extension, GraphicsModel& graphics,
                       Reporter& reporter);

/// The extensions "Open SRTM30 Merge DEM" takes: exactly ".hgt" or ".dem".
bool isSrtm30MergeExtension(const std::string& extension);
/// "Open SRTM30 Merge DEM": with an accepted extension, inputKind := 3, sizeFromInput
/// := 1, the north-west corner from the name (with its log lines), then the tile
/// becomes srtm30Tile with srtm30latitude and srtm30longitude. Any other extension
/// does nothing.
MergeLoad loadSrtm30MergeDem(const std::string& path, const std::string& extension, GraphicsModel& graphics,
                        GridHandover& session, Reporter& reporter);
