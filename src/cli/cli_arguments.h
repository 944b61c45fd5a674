#pragma once

#include "curves/status.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelis {

// The command line of ombrelis-cli after the subcommand: positional words,
// options with a value ("--count 64") and flags ("--csv").
struct CliArguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool has(const std::string &option) const
    {
        return values.count(option) || flags.count(option);
    }
    const std::string *value(const std::string &option) const;
};

// What a subcommand accepts.
struct CliGrammar {
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
};

// Fills `arguments` from the words; refused, in French, at an unknown option
// or an option missing its value.
Status parseCliArguments(const std::vector<std::string> &words, const CliGrammar &grammar,
                         CliArguments &arguments);

// A whole decimal integer within [low, high] ("C" locale, nothing else around it).
std::optional<int> parseIntegerIn(std::string_view text, int low, int high);

// A decimal number in fixed notation within [low, high] ("C" locale, a full
// stop before any fraction, nothing else around it).
std::optional<double> parseDecimalIn(std::string_view text, double low, double high);

}  // namespace ombrelis
