// The command-line option parser on arbitrary argument lists (arguments split at NUL bytes).
#include "app/cli/CliOptions.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) args.emplace_back();
        else args.back() += char(data[i]);
    }
    static const std::map<std::string, int> counts = {{"rows", 1}, {"scale", 1}, {"size", 2}, {"subset", 4},
                                                      {"keep", 0}, {"help", 0}};
    asksForHelp(args);
    try {
        const CliOptions options(args, counts);
        options.requirePositional({"IN", "OUT"});
    } catch (const UsageError&) {
    }
    try {
        const CliOptions options(args, counts);
        for (const auto& [name, count] : counts)
            for (int i = -1; i <= count; ++i) {
                try {
                    options.integer(name, i);
                } catch (const UsageError&) {
                }
                try {
                    options.real(name, i);
                } catch (const UsageError&) {
                }
            }
        for (const auto& o : options.occurrences()) options.values(o.name);
    } catch (const UsageError&) {
    }
    return 0;
}
