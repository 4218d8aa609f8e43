#include "app/cli/CliInputs.h"

#include "app/cli/CliOptions.h"
#include "app/SolutionOutputs.h"
#include "formats/OpenDispatch.h"

const OpenRow& cliInputRow(const std::string& path)
{
    const OpenRow* row = openRowForPath(path);
    if (!row) throw UsageError("'" + path + "' is not a file type GRIDMEND opens");
    return *row;
}

bool cliLoadGrid(const OpenRow& row, const std::string& path, GraphicsModel& graphics, Reporter& reporter)
{
    if (!row.available()) throw UsageError(notAvailableLine(row));
    return row.load(path, graphics, reporter);
}

const SolutionOutput& cliOutputFormat(const std::string& path, bool solutionOnly)
{
    const SolutionOutput* format = findSolutionOutput(path);
    if (!format || (solutionOnly && !format->write)) {
        std::string list;
        for (const SolutionOutput& f : solutionOutputs())
            if (!solutionOnly || f.write) list += (list.empty() ? "" : ", ") + std::string(f.extension);
        throw UsageError("'" + path + "': the output must end in one of " + list);
    }
    return *format;
}
