// Command-line arguments of gridmend-cli: positional arguments and
// "--name value..." options, with typed access and plain error messages.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

/// A bad command line; the message goes to standard error and the exit status is 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// True when the arguments ask for the command's usage ("--help" or "-h" anywhere).
bool asksForHelp(const std::vector<std::string>& args);

class CliOptions {
public:
    /// valueCounts: how many values each known option takes (0 for a flag).
    CliOptions(const std::vector<std::string>& args, const std::map<std::string, int>& valueCounts);

    const std::vector<std::string>& positional() const { return positional_; }
    /// Exactly n positional arguments, named for the message.
    void requirePositional(const std::vector<std::string>& names) const;

    bool has(const std::string& name) const { return values_.count(name) != 0; }
    std::optional<int> integer(const std::string& name, int index = 0) const;
    std::optional<double> real(const std::string& name, int index = 0) const;
    std::optional<std::string> text(const std::string& name, int index = 0) const;
    int integerOr(const std::string& name, int fallback) const { return integer(name).value_or(fallback); }
    double realOr(const std::string& name, double fallback) const { return real(name).value_or(fallback); }
    /// The option's texts in the order given.
    const std::vector<std::string>& values(const std::string& name) const;
    /// The options in the order they were given (for commands whose steps follow that order).
    const std::vector<std::string>& order() const { return order_; }
    /// Every option as given, with its own values (an option may be given more than once).
    struct Occurrence {
        std::string name;
        std::vector<std::string> values;
    };
    const std::vector<Occurrence>& occurrences() const { return occurrences_; }

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::vector<std::string>> values_;
    std::vector<std::string> order_;
    std::vector<Occurrence> occurrences_;
};
