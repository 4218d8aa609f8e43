// gridmend-cli: scripted use of GRIDMEND without a display.
#include "app/cli/CliCommands.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliReporter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>

const std::vector<CliCommandInfo>& cliCommands()
{
    static const std::vector<CliCommandInfo> commands = {
        {"interpolate", cliInterpolate,
         "interpolate IN OUT [--rows R --columns C] [--lsqr N] [--laplacian N] [--refining N] [--scale F]\n"
         "      [--surface S] [--maxspan N] [--corner LAT LON] [OUTPUT OPTIONS]\n"
         "      Interpolates an input and writes the solution in the format OUT's extension selects:\n"
         "      .txt/.dat ASCII matrix, .elv elevation array, .ter Terragen (--terragen-scale N, default 30),\n"
         "      .bsq 16-bit BSQ, .tga POV-Ray TGA (--tga gray: grayscale), .bmp grey picture, .hgt SRTM tile,\n"
         "      .dt1 DTED1 (behind the header of the last DTED1 input), .dem USGS ASCII DEM (--origin E N\n"
         "      --utm-zone Z [--spacing S] [--datum NAD-83|NAS-C] [--units P E] [--output-scale F]: the\n"
         "      south-west posting's UTM easting and northing, defaults 30, NAD-83, 2 2 and 1.0).\n"
         "      ASCII z-value grids (.txt/.dat: 0 = unknown, file order = south row first) and CSV (.csv)\n"
         "      or LAS (.las) points need --rows and --columns; a shapefile (.shp with its .shx and .dbf) is\n"
         "      drawn on a grid of at most --maxspan N cells a side (default 1200); grid inputs (.elv,\n"
         "      .ind/.ort, .hgt, .dt1, .dem, .hdf ASTER DEM, aus_dem_erm ER Mapper tile with --corner LAT LON,\n"
         "      pictures) carry their size and are handed over as the graphics window's \"Input Data\" hands\n"
         "      them; a tile (.hgt, ...) then gets the solution in its null postings only (below -1000).\n"
         "      --lsqr N > 0 solves with LSQR (its report header on standard output); --lsqr 0 runs the\n"
         "      relaxation alone (not for points or shapefiles unless --surface is converged).\n"
         "      --surface S: sweeps (default) runs the relaxation sweeps; harmonic, thin-plate or tension T\n"
         "      (T from 0, thin-plate, to 1, harmonic) solve that surface to convergence with the known\n"
         "      postings fixed instead, as LSQR's start or, with --lsqr 0, as the result (fill, batch,\n"
         "      patch and tiles fill take it too).\n"
         "      Any single-band raster GDAL reads (.tif, .vrt, .asc, .img, ...) is an input of every command,\n"
         "      kept at full precision by convert, fill and interpolate (its nodata and NaN are null postings;\n"
         "      --null V: those below V too). .tif/.tiff writes a tiled, DEFLATE GeoTIFF with the input's type,\n"
         "      nodata and georeference (--type Int16|Float32|...: another type; --cog: Cloud Optimized);\n"
         "      fill and interpolate take --mask M.tif (1 where a posting was filled). --quiet: no progress."},
        {"convert", cliConvert,
         "convert IN OUT [--srtm30] [--maxspan N] [--corner LAT LON] [--allow-partial] [OUTPUT OPTIONS]\n"
         "      Reads a grid input (.elv, .ind/.ort, .hgt, .dt1, .dem, .hdf, aus_dem_erm, .bmp/.jpg, ...) into\n"
         "      the graphics window's model and writes it with no interpolation: as a solution (the formats\n"
         "      and output options of interpolate; .dt1 only behind the header of a DTED1 input), or as the\n"
         "      graphics window's index array (.ind). A shapefile is written as its drawn contour grid (0\n"
         "      where no line lies). DTED0 tiles (.dt0) and, with --srtm30, SRTM30 tiles (e020n40.dem) are\n"
         "      read as the merge openers read them. An input its reader finds not whole (DTED profiles or\n"
         "      SRTM30 rows missing) ends with exit status 1 unless --allow-partial is given (every command\n"
         "      that reads a grid input takes it)."},
        {"fill", cliFill,
         "fill TILE OUT [--null V] [--sea-level LO HI] [--subset TOP LEFT ROWS COLS] [--lsqr N] [--laplacian N]\n"
         "      [--refining N] [--scale F] [--surface S]\n"
         "      Fills the null postings of a tile (.hgt, ...) as the graphics window does: Open, the null\n"
         "      data definition (--null V: postings below V are null; default -1000), sea-level clipping\n"
         "      (--sea-level LO HI: postings from LO to HI become 0), \"Input Data\" or the rectangle of\n"
         "      \"Interpolate Subset Array\" (--subset), Run with its write-back into the null postings only,\n"
         "      and \"Save SRTM Heightfield\": OUT is an SRTM height file of 1201 x 1201 or 3601 x 3601."},
        {"batch", cliBatch,
         "batch FILE... [--null V] [--lsqr N] [--laplacian N] [--refining N] [--scale F] [--surface S]\n"
         "      Batch interpolation as the \"Batch Mode Dialog\" runs it: the files (.hgt tiles, or .ind/.ort\n"
         "      index files; the extension of the last file decides for all) with one parameter set and one\n"
         "      null data definition (--null V, default -32000). Each result is saved as an SRTM height file\n"
         "      next to its input, the last character of the name replaced by x (N45W122.hgx). Exit status 1\n"
         "      when a file was skipped. When the last file is a raster GDAL reads (GeoTIFF, .asc, ...), each\n"
         "      file is filled as fill fills a raster, into a GeoTIFF beside it (dem.tif -> dem_filled.tif)."},
        {"prepare", cliPrepare,
         "prepare IN OUT [--range-filter LO HI [--keep]] [--binarize BG] [--thin N] [--despeckle]\n"
         "      [--connect R [--farthest]] [--delete-short L] [--low-pass] [--unsharp K] [--line-pattern]\n"
         "      [--block-pattern] [--nibble-pattern] [--neighbor-pattern N] [--clip X1 Y1 X2 Y2]\n"
         "      [--remove-web X Y]\n"
         "      Prepares a scanned contour map (.bmp/.jpg, or a grid input) as the graphics window does,\n"
         "      running its commands in the order given: the range filter (LO, HI and BG as 0x... or\n"
         "      decimal colours; --keep turns the colours inside LO..HI into the background instead of\n"
         "      those outside), Binarize, up to N Thin iterations (fewer when the lines stop changing),\n"
         "      Despeckle 8 Bit, Connect Lines with search radius R (closest first; --farthest), Delete\n"
         "      Short Segments shorter than L pixels, and the filters and patterns named. --clip blanks\n"
         "      the rectangle between two corners and --remove-web floods the colour under a point, as\n"
         "      Clip Text and Remove Web do. OUT: .elv (Save Elevation Array), .ind (Save Index Array)\n"
         "      or .bmp (the picture shown). Tagging stays interactive."},
        {"classify", cliClassify,
         "classify IN OUT.bmp --clusters K --passes N [--median] [--distance e|b|c|a|u|x] [--seed S]\n"
         "      The k-means classification of Classify Pixels: every pixel of the picture IN takes the\n"
         "      mean colour of its cluster. --median clusters with medians, --distance chooses the\n"
         "      distance (e Euclidean, b city block, c Pearson, a absolute Pearson, u uncentered,\n"
         "      x absolute uncentered). --seed S replaces the clock seed, so a run can be repeated."},
        {"patch", cliPatch,
         "patch TILE OUT (--dted0 F | --srtm30 F | --dted1 F) [--coupled] [--null V]\n"
         "      [--lsqr N] [--laplacian N] [--refining N] [--scale F] [--surface S] [OUTPUT OPTIONS]\n"
         "      Patches the null postings (below --null, default -1000) of a tile with a coarser tile, by\n"
         "      the graphics window's commands in the order a user clicks them. --dted0/--srtm30: the\n"
         "      merge opener, \"Expand DTED0 DEM\"/\"Expand SRTM30 DEM\", then separately \"Input Data\",\n"
         "      Run and \"Assign Interpolated Elevations\", or with --coupled \"Insert Expanded DTED0 or\n"
         "      SRTM30 into SRTM-3\", \"Input Data\", Run and its write-back. --dted1: \"Cut Patches from\n"
         "      DTED1 File\" (1201 x 1201 tiles) or \"Expand DTED1\" (3601 x 3601), then, while null\n"
         "      postings remain, \"Input Data\", Run and its write-back. OUT as for convert."},
        {"resample", cliResample,
         "resample IN OUT --rate 2|4|8 [--null V] [OUTPUT OPTIONS]\n"
         "      \"Resample DEM\": reduces a grid input by the rate in both directions (postings above\n"
         "      --null, default -1000, hold data). OUT as for convert."},
        {"render3d", cliRender3d,
         "render3d IN OUT.jpg [--rows R --columns C] [--azimuth A] [--bearing B] [--scale S] [--hide-axes]\n"
         "      [--rotate-x D] [--rotate-y D] [--rotate-z D] [--translate-x D] [--translate-y D]\n"
         "      [--translate-z D] [--zoom F] [--size W H] [--stereo A]\n"
         "      Renders a solution (an ASCII matrix of --rows x --columns, south row first, or any grid\n"
         "      input the other commands read: .hgt, .dt1, .dem, .elv, ...) as the 3-D view does and saves it\n"
         "      as JPEG. The view steps apply in the order given, after the first render's set-up.\n"
         "      --stereo A writes OUT's name with _plus and _minus: the view turned by +A and -A about z.\n"
         "      Needs an X server (DISPLAY, or run under xvfb-run)."},
        {"tiles", cliTiles,
         "tiles fill IN_DIR_OR_LIST OUT_DIR [--null V] [--lsqr N] [--laplacian N] [--refining N] [--scale F]\n"
         "      [--surface S] [--halo N] [--shard I/N] [--jobs N] [--preview FILE]\n"
         "      tiles preview IN_DIR_OR_LIST OUT_DIR [--null V] [--preview FILE]\n"
         "      Fills the null postings of a set of SRTM tiles (a folder of .hgt files named by their\n"
         "      south-west corner, N49E011.hgt, or a list of paths, all n x n) as one surface: each tile\n"
         "      with --halo N postings of its neighbours (default 100), so voids crossing a border are\n"
         "      filled alike in both tiles. Outputs keep the input names in OUT_DIR; each is written under\n"
         "      a temporary name and renamed when complete, and a rerun skips outputs newer than their\n"
         "      inputs. --jobs N tiles at once (default: one per core); --shard I/N fills only the tiles\n"
         "      k with k % N == I (a job array's task). At the end, or by 'tiles preview' after the\n"
         "      shards, a shaded relief of the set (filled postings red) goes to --preview FILE (.jpg or\n"
         "      .bmp; default OUT_DIR/preview.jpg)."},
    };
    return commands;
}

namespace {

void printUsage(std::FILE* to)
{
    std::fprintf(to, "usage: gridmend-cli COMMAND ARGUMENTS...   (gridmend-cli COMMAND --help: one command)\n\n"
                     "commands:\n");
    for (const CliCommandInfo& c : cliCommands()) std::fprintf(to, "  %s\n", c.usage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        printUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    const auto quiet = std::find(args.begin(), args.end(), "--quiet");   // any command: no progress shown
    CliReporter reporter(quiet != args.end());
    if (quiet != args.end()) args.erase(quiet);
    for (const CliCommandInfo& c : cliCommands()) {
        if (std::strcmp(argv[1], c.name) != 0) continue;
        if (asksForHelp(args)) {
            std::printf("usage: gridmend-cli %s\n", c.usage);
            return 0;
        }
        try {
            const int status = c.run(args, reporter);
            std::fflush(stdout);
            return status;
        } catch (const UsageError& e) {
            std::fflush(stdout);
            std::fprintf(stderr, "gridmend-cli %s: %s\nusage: gridmend-cli %s\n", c.name, e.what(), c.usage);
            return 2;
        } catch (const std::bad_alloc&) {
            std::fflush(stdout);
            std::fprintf(stderr, "gridmend-cli %s: not enough memory for a grid of this size\n", c.name);
            return 1;
        } catch (const std::length_error&) {
            std::fflush(stdout);
            std::fprintf(stderr, "gridmend-cli %s: a grid of this size cannot be held in memory\n", c.name);
            return 1;
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
