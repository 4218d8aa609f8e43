// gridmend-cli: scripted use of GRIDMEND without a display.
#include "app/cli/CliCommands.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliReporter.h"

#include <cstdio>
#include <cstring>
#include <exception>

const std::vector<CliCommandInfo>& cliCommands()
{
    static const std::vector<CliCommandInfo> commands = {
        {"interpolate", cliInterpolate,
         "interpolate IN OUT [--rows R --columns C] [--lsqr N] [--laplacian N] [--refining N] [--scale F]\n"
         "      [--maxspan N] [--corner LAT LON] [OUTPUT OPTIONS]\n"
         "      Interpolates an input and writes the solution in the format OUT's extension selects:\n"
         "      .txt/.dat ASCII matrix, .elv elevation array, .ter Terragen (--terragen-scale N, default 30),\n"
         "      .bsq 16-bit BSQ, .tga POV-Ray TGA (--tga gray: grayscale), .bmp grey picture, .dem USGS ASCII\n"
         "      DEM (--origin E N --utm-zone Z [--spacing S] [--datum NAD-83|NAS-C] [--units P E]\n"
         "      [--output-scale F]: the south-west posting's UTM easting and northing, defaults 30, NAD-83,\n"
         "      2 2 and 1.0).\n"
         "      ASCII z-value grids (.txt/.dat: 0 = unknown, file order = south row first) and CSV (.csv)\n"
         "      or LAS (.las) points need --rows and --columns; a shapefile (.shp with its .shx and .dbf) is\n"
         "      drawn on a grid of at most --maxspan N cells a side (default 1200); grid inputs (.elv,\n"
         "      .ind/.ort, .dem, .hdf ASTER DEM, aus_dem_erm ER Mapper tile with --corner LAT LON, pictures)\n"
         "      carry their size and are handed over as the graphics window's \"Input Data\" hands them.\n"
         "      --lsqr N > 0 solves with LSQR (its report header on standard output); --lsqr 0 runs the\n"
         "      relaxation alone (not for points or shapefiles)."},
        {"convert", cliConvert,
         "convert IN OUT [--maxspan N] [--corner LAT LON] [OUTPUT OPTIONS]\n"
         "      Reads a grid input (.elv, .ind/.ort, .dem, .hdf, aus_dem_erm, .bmp/.jpg, ...) into the graphics\n"
         "      window's model and writes it with no interpolation: as a solution (the formats and output\n"
         "      options of interpolate), or as the graphics window's index array (.ind). A shapefile is\n"
         "      written as its drawn contour grid (0 where no line lies)."},
        {"render3d", cliRender3d,
         "render3d IN OUT.jpg --rows R --columns C [--azimuth A] [--bearing B] [--scale S] [--hide-axes]\n"
         "      [--rotate-x D] [--rotate-y D] [--rotate-z D] [--translate-x D] [--translate-y D]\n"
         "      [--translate-z D] [--zoom F] [--size W H] [--stereo A]\n"
         "      Renders a solution (an ASCII matrix, south row first) as the 3-D view does and saves it\n"
         "      as JPEG. The view steps apply in the order given, after the first render's set-up.\n"
         "      --stereo A writes OUT's name with _plus and _minus: the view turned by +A and -A about z.\n"
         "      Needs an X server (DISPLAY, or run under xvfb-run)."},
    };
    return commands;
}

namespace {

void printUsage(std::FILE* to)
{
    std::fprintf(to, "usage: gridmend-cli COMMAND ARGUMENTS...\n\ncommands:\n");
    for (const CliCommandInfo& c : cliCommands()) std::fprintf(to, "  %s\n", c.usage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        printUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    CliReporter reporter;
    for (const CliCommandInfo& c : cliCommands()) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        try {
            const int status = c.run(args, reporter);
            std::fflush(stdout);
            return status;
        } catch (const UsageError& e) {
            std::fflush(stdout);
            std::fprintf(stderr, "gridmend-cli %s: %s\nusage: gridmend-cli %s\n", c.name, e.what(), c.usage);
            return 2;
        } catch (const std::exception& e) {
            std::fflush(stdout);
            std::fprintf(stderr, "gridmend-cli %s: %s\n", c.name, e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "gridmend-cli: unknown command '%s'\n", argv[1]);
    printUsage(stderr);
    return 2;
}
