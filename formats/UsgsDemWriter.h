// "SaveASCIIDEM": the USGS ASCII DEM writer and the checks of the "ASCII DEM
// Data Entry Form".
//
// The file is one type A record (1024 characters), one type B record per grid
// column (a south-to-north profile in 1024-character blocks: 146 values in the
// first, 170 in each further one) and one type C record without a line end.
// Numbers stand right-aligned in the standard's fixed columns; coordinates pass
// through 32-bit floats. Every posting is written in its place: elevations are
// truncated toward zero and clamped to the 16-bit range -32767 .. 32767, -32767
// being the void.
#pragma once

#include "app/core/Grid.h"

#include <string>
#include <vector>

class Reporter;

/// The georeference entered in the "ASCII DEM Data Entry Form".
struct UsgsDemGeoreference {
    std::string datumName;            ///< only its fifth character is used ('C': NAS-C)
    double basexFloat = 0.0;          ///< easting of the south-west posting
    double baseyFloat = 0.0;          ///< northing of the south-west posting (negative in the south)
    int utmZone = 0;
    double gridSpacing = 0.0;
    int planimetricUnitsCode = 0;
    int elevationUnitsCode = 0;
    float outputScaleFactor = 1.0f;
};

/// The whole file for a solution (row 0 = south). Record A's minimum and maximum
/// are those of the solution before scaling; the elevations are multiplied by
/// the output scale factor. Line ends are '\n'. clamped: how many elevations were clamped.
std::string formatUsgsAsciiDem(const UsgsDemGeoreference& georeference, const RealGrid& solution,
                               std::size_t* clamped = nullptr);
/// Writes the file, with a log line counting the elevations clamped; logs "could not open
/// output file" and returns false on failure.
bool writeUsgsAsciiDem(const std::string& path, const UsgsDemGeoreference& georeference, const RealGrid& solution,
                       Reporter& reporter);

/// The eight entries of the form, as typed.
struct UsgsDemEntryTexts {
    std::string datum = "NAD-83";
    std::string easting, northing, zone;
    std::string spacing = "30";
    std::string planimetricUnits = "2", elevationUnits = "2";
    std::string scale = "1.0";
};

/// What "Submit" does with the entries.
struct UsgsDemEntryCheck {
    enum class Outcome { Accepted, EmptyEntry, ConversionError, RangeError };
    Outcome outcome = Outcome::Accepted;
    std::string conversionText;             ///< the "Conversion Error" message box text
    std::vector<std::string> errorLines;    ///< the "Error!" window's lines
    UsgsDemGeoreference values;             ///< when accepted
    std::vector<std::string> logLines;      ///< when accepted, in order
};

/// The "Error!" window of an easting, northing or zone out of range.
const std::vector<std::string>& usgsDemUtmErrorLines();
/// The "Error!" window of a units code outside 0..9 (one digit in the file).
const std::vector<std::string>& usgsDemUnitsErrorLines();
/// The form's lines for a spacing or output scale factor that the file's fields cannot hold.
const std::vector<std::string>& usgsDemSpacingErrorLines();

/// Checks the entries in the form's order: any empty entry; easting, northing
/// and zone as integers and in range; the units codes as integers in 0..9; the
/// spacing and the scale factor as numbers. Nothing is applied unless all pass.
UsgsDemEntryCheck checkUsgsDemEntries(const UsgsDemEntryTexts& texts);
