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
         "      [--tga pov|gray] [--terragen-scale N]\n"
         "      Interpolates an input and writes the solution in the format OUT's extension selects:\n"
         "      .txt/.dat ASCII matrix, .elv elevation array, .ter Terragen (--terragen-scale N, default 30),\n"
         "      .bsq 16-bit BSQ, .tga POV-Ray TGA (--tga gray: grayscale), .bmp grey picture.\n"
         "      ASCII z-value grids (.txt/.dat: 0 = unknown, file order = south row first) and CSV (.csv)\n"
         "      or LAS (.las) points need --rows and --columns; grid inputs (.elv, .ind/.ort, pictures)\n"
         "      carry their size and are handed over as the graphics window's \"Input Data\" hands them.\n"
         "      --lsqr N > 0 solves with LSQR (its report header on standard output); --lsqr 0 runs the\n"
         "      relaxation alone (not for points)."},
        {"convert", cliConvert,
         "convert IN OUT [--srtm30] [--tga pov|gray] [--terragen-scale N]\n"
         "      Reads a grid input (.elv, .ind/.ort, .bmp/.jpg, .dt1, ...) into the graphics window's model\n"
         "      and writes it with no interpolation: as a solution (the formats of interpolate), as DTED1\n"
         "      (.dt1, only behind the header of a DTED1 input), or as the graphics window's index array\n"
         "      (.ind). DTED0 tiles (.dt0) and, with --srtm30, SRTM30 tiles (e020n40.dem) are read as the\n"
         "      merge openers read them."},
        {"patch", cliPatch,
         "patch TILE OUT (--dted0 F | --srtm30 F | --dted1 F) [--coupled] [--null V]\n"
         "      [--lsqr N] [--laplacian N] [--refining N] [--scale F] [--tga pov|gray] [--terragen-scale N]\n"
         "      Patches the null postings (below --null, default -1000) of a tile with a coarser tile, by\n"
         "      the graphics window's commands in the order a user clicks them. --dted0/--srtm30: the\n"
         "      merge opener, \"Expand DTED0 DEM\"/\"Expand SRTM30 DEM\", then separately \"Input Data\",\n"
         "      Run and \"Assign Interpolated Elevations\", or with --coupled \"Insert Expanded DTED0 or\n"
         "      SRTM30 into SRTM-3\", \"Input Data\", Run and its write-back. --dted1: \"Cut Patches from\n"
         "      DTED1 File\" (1201 x 1201 tiles) or \"Expand DTED1\" (3601 x 3601), then, while null\n"
         "      postings remain, \"Input Data\", Run and its write-back. OUT as for convert."},
        {"resample", cliResample,
         "resample IN OUT --rate 2|4|8 [--null V] [--tga pov|gray] [--terragen-scale N]\n"
         "      \"Resample DEM\": reduces a grid input by the rate in both directions (postings above\n"
         "      --null, default -1000, hold data). OUT as for convert."},
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
