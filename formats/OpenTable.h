// Which reader a file name selects: the Open command's dispatch table, tested
// in its fixed order, exact and case-sensitive, the first match deciding. The
// Open command, "Open Reference Image" and gridmend-cli all choose through it
// (the writers are chosen by app/SolutionOutputs). The table only names: it
// reads no file; app/OpenDispatch gives each row its loader.
//
// A reader that is not part of the build yet is a row marked not available:
// the Open command then logs notAvailableLine(row) and changes nothing.
#pragma once

#include "app/core/InputKind.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kOpenFilter =
    "text|*.txt|data|*.dat|shape|*.shp|index|*.ind;|elevation|*.elv|bitmap|*.bmp|jpeg|*.jpg|SRTM height "
    "files|*.hgt|HDF ASTER files|*.hdf|ORT files|*.ort|USGS ASCII DEM files|*.dem|Australian ER Mapper "
    "Files|aus_dem_erm|DTED1 Files|*.dt1|LISA Files|*.ima|CSV| *.csv; *.CSV|LAS| *.las; *.LAS|All Supported "
    "Files|*.txt, *.bmp, *.dem, *.ort, aus_dem_erm, *.dat;*.hsp;*.ind; *.elv; *.bmp; *.jpg; *.dem; *.dt1; *.hgt; "
    "*.shp; *.dat";
inline constexpr const char* kOpenDefaultExtension = "*.bmp";
inline constexpr const char* kInvalidOpenLine = "Invalid file type.  File must be .txt, .dat, .shp or .bmp";

inline constexpr const char* kReferenceFilter = "bitmap|*.bmp|jpeg|*.jpg";
inline constexpr const char* kInvalidReferenceLine = "Invalid file type.  File must be .jpg or .bmp";

/// The extension including its dot (".hgt"): from the last dot after the last path separator;
/// empty when the name has none.
std::string extensionOf(std::string_view path);
/// The last 11 characters of the path; empty when it is shorter.
std::string nameTailOf(std::string_view path);
inline constexpr const char* kErMapperNameTail = "aus_dem_erm";

/// What the Open command does with a row's file.
enum class OpenHandling {
    AskParameters,   ///< text kinds: the parameters dialog with rows and columns; read at Run
    Shapefile,       ///< the parameters dialog without rows and columns, then the scaling limits
    IntoGraphics,    ///< a grid or picture loaded into the graphics window now
};

struct OpenRow {
    int number;                            ///< position in the order of the tests, from 1
    std::vector<std::string> extensions;   ///< exact, case-sensitive
    bool byNameTail;                       ///< matched by the name tail "aus_dem_erm" instead
    InputKind kind;
    OpenHandling handling;
    bool readerAvailable;                  ///< the row's loader (or the reader Run uses) exists
    bool clearsExtension;                  ///< the stored extension is emptied after the load
    const char* fileKind;                  ///< for the not-available line ("SRTM height files")

    bool available() const { return readerAvailable; }
};

/// The rows in the order of the tests.
const std::vector<OpenRow>& openDispatchTable();
/// The first row that matches the extension (or, for its row, the name tail); nullptr for none.
const OpenRow* matchOpenRow(std::string_view extension, std::string_view nameTail);
/// The row that follows the table: any other raster GDAL opens, loaded as a tile.
const OpenRow& gdalRasterRow();
inline constexpr int kGdalRasterRow = 14;
std::string notAvailableLine(const OpenRow& row);
