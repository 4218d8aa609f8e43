#include "app/cli/CliOptions.h"

#include "app/core/TextNumbers.h"

namespace {

/// Option values that take one more value after them ("--surface tension 0.25").
bool takesOneMore(const std::string& option, const std::string& value)
{
    return option == "surface" && value == "tension";
}

} // namespace

CliOptions::CliOptions(const std::vector<std::string>& args, const std::map<std::string, int>& valueCounts)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            const std::string name = a.substr(2);
            auto known = valueCounts.find(name);
            if (known == valueCounts.end()) throw UsageError("unknown option " + a);
            std::vector<std::string>& v = values_[name];
            v.clear();
            for (int k = 0; k < known->second; ++k) {
                if (++i >= args.size()) throw UsageError("option " + a + " needs " + std::to_string(known->second) +
                                                         (known->second == 1 ? " value" : " values"));
                v.push_back(args[i]);
            }
            if (v.size() == 1 && takesOneMore(name, v[0])) {
                if (++i >= args.size()) throw UsageError("option " + a + " " + v[0] + " needs a value");
                v.push_back(args[i]);
            }
            order_.push_back(name);
            occurrences_.push_back({name, v});
        } else {
            positional_.push_back(a);
        }
    }
}

bool asksForHelp(const std::vector<std::string>& args)
{
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

void CliOptions::requirePositional(const std::vector<std::string>& names) const
{
    if (positional_.size() != names.size()) {
        std::string list;
        for (const auto& n : names) list += (list.empty() ? "" : " ") + n;
        throw UsageError("expected " + std::to_string(names.size()) + " arguments (" + list + "), got " +
                         std::to_string(positional_.size()));
    }
}

const std::vector<std::string>& CliOptions::values(const std::string& name) const
{
    static const std::vector<std::string> none;
    auto it = values_.find(name);
    return it == values_.end() ? none : it->second;
}

std::optional<std::string> CliOptions::text(const std::string& name, int index) const
{
    const auto& v = values(name);
    if (index < 0 || std::size_t(index) >= v.size()) return std::nullopt;
    return v[std::size_t(index)];
}

std::optional<int> CliOptions::integer(const std::string& name, int index) const
{
    auto t = text(name, index);
    if (!t) return std::nullopt;
    auto v = parseIntText(*t);
    if (!v && integerTextOutOfRange(*t)) throw UsageError("--" + name + " " + *t + " is out of range");
    if (!v) throw UsageError("--" + name + " needs an integer, not '" + *t + "'");
    return *v;
}

std::optional<double> CliOptions::real(const std::string& name, int index) const
{
    auto t = text(name, index);
    if (!t) return std::nullopt;
    auto v = parseRealText(*t);
    if (!v) throw UsageError("--" + name + " needs a number, not '" + *t + "'");
    return *v;
}
