// gridmend-cli classify: the k-means classification of "Classify Pixels" on a
// picture, written as a bitmap. The entries are checked as the dialog checks
// them; with --seed S the clustering's two clock seedings take S instead, so
// a run can be repeated exactly.
#include "app/cli/CliCommands.h"
#include "app/cli/CliInputs.h"
#include "app/cli/CliOptions.h"

#include "classify/PixelClassification.h"
#include "app/OpenDispatch.h"
#include "graphics/PictureFile.h"
#include "graphics/GraphicsModel.h"

#include <cstdio>
#include <cstring>

int cliClassify(const std::vector<std::string>& args, Reporter& reporter)
{
    const CliOptions options(
        args, withInputOptions({{"clusters", 1}, {"passes", 1}, {"median", 0}, {"distance", 1}, {"seed", 1}}));
    options.requirePositional({"IN", "OUT"});
    const std::string in = options.positional()[0], out = options.positional()[1];
    if (out.size() < 5 || out.compare(out.size() - 4, 4, ".bmp") != 0)
        throw UsageError("'" + out + "': the output must end in .bmp");
    const OpenRow& row = cliInputRow(in);
    if (row.handling != OpenHandling::IntoGraphics) throw UsageError("'" + in + "' is not a picture");
    cliCheckOutput(out);

    const std::string passes = options.text("passes").value_or(""), clusters = options.text("clusters").value_or("");
    const ClassificationEntryCheck check = checkClassificationEntries(passes, clusters);
    if (check.result == ClassificationEntry::NotAnInteger) throw UsageError("--clusters and --passes take integers");
    if (check.result == ClassificationEntry::Refused) throw UsageError("--clusters and --passes must be at least 1");
    ClassificationParameters p;
    p.nclusters = check.nclusters;
    p.npass = check.npass;
    p.method = options.has("median") ? 'm' : 'a';
    p.dist = 'e';
    if (auto d = options.text("distance")) {
        if (d->size() != 1 || !std::strchr("ebcaux", (*d)[0])) throw UsageError("--distance takes e, b, c, a, u or x");
        p.dist = (*d)[0];
    }
    kmeans::SeedSource seed = kmeans::calendarSeconds;
    if (auto s = options.integer("seed")) seed = [s = std::uint32_t(*s)] { return s; };

    GraphicsModel g;
    if (!cliLoadGrid(row, in, options, g, reporter) || !g.holdsContent()) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli classify: nothing was loaded from %s\n", in.c_str());
        return 1;
    }
    if (std::size_t(p.nclusters) > g.imageArray.size()) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli classify: --clusters %d is more than the picture's %zu pixels\n",
                     p.nclusters, g.imageArray.size());
        return 1;
    }
    logClassificationEntries(clusters, passes, reporter);
    g.saveUndo();
    classifyPixels(g.imageArray, p, seed, reporter);
    g.refresh();
    if (!saveGraphicsImage(out, g, reporter)) {
        std::fflush(stdout);
        std::fprintf(stderr, "gridmend-cli classify: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
