#include "cli/cli_arguments.h"

#include <charconv>

namespace ombrelis {

const std::string *CliArguments::value(const std::string &option) const
{
    const auto found = values.find(option);
    return found == values.end() ? nullptr : &found->second;
}

Status parseCliArguments(const std::vector<std::string> &words, const CliGrammar &grammar,
                         CliArguments &arguments)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &word = words[i];
        if (word.size() < 2 || !word.starts_with("--")) {
            arguments.positional.push_back(word);
        } else if (grammar.flagOptions.count(word)) {
            arguments.flags.insert(word);
        } else if (grammar.valueOptions.count(word)) {
            if (i + 1 == words.size())
                return Status::refused("valeur manquante après « " + word + " »");
            arguments.values[word] = words[++i];
        } else {
            return Status::refused("option inconnue « " + word + " »");
        }
    }
    return Status::done();
}

std::optional<int> parseIntegerIn(std::string_view text, int low, int high)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> parseDecimalIn(std::string_view text, double low, double high)
{
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (!(value >= low && value <= high))
        return std::nullopt;
    return value;
}

}  // namespace ombrelis
