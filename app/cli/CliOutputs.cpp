// The output options shared by the commands that write a solution.
#include "app/cli/CliCommands.h"
#include "app/cli/CliOptions.h"

#include "app/SolutionOutputs.h"

OutputOptions cliOutputOptions(const CliOptions& options)
{
    OutputOptions o;
    if (auto kind = options.text("tga")) {
        if (*kind != "pov" && *kind != "gray") throw UsageError("--tga takes pov or gray");
        o.tgaGrayscale = *kind == "gray";
    }
    o.terragenHeightScale = options.integerOr("terragen-scale", 30);
    return o;
}
