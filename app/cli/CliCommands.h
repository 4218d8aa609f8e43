// The subcommands of gridmend-cli. Each runs the same plain code as the
// windows; it only replaces the dialogs by its options.
#pragma once

#include <string>
#include <vector>

class CliOptions;
class Reporter;
struct OutputOptions;

/// A subcommand: its arguments after the command name. Returns the exit status
/// (0 success, 1 failure); throws UsageError for a bad command line.
using CliCommand = int (*)(const std::vector<std::string>& args, Reporter& reporter);

struct CliCommandInfo {
    const char* name;
    CliCommand run;
    const char* usage;
};

int cliInterpolate(const std::vector<std::string>& args, Reporter& reporter);
int cliConvert(const std::vector<std::string>& args, Reporter& reporter);
int cliFill(const std::vector<std::string>& args, Reporter& reporter);
int cliBatch(const std::vector<std::string>& args, Reporter& reporter);
int cliPrepare(const std::vector<std::string>& args, Reporter& reporter);
int cliClassify(const std::vector<std::string>& args, Reporter& reporter);
int cliPatch(const std::vector<std::string>& args, Reporter& reporter);
int cliResample(const std::vector<std::string>& args, Reporter& reporter);
int cliRender3d(const std::vector<std::string>& args, Reporter& reporter);

/// "--tga pov|gray" and "--terragen-scale N" of the commands that write a solution.
OutputOptions cliOutputOptions(const CliOptions& options);

/// Every subcommand, in the order the usage text lists them.
const std::vector<CliCommandInfo>& cliCommands();
