#include "curves/data_table.h"

#include "curves/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace ombrelis {

namespace {

constexpr std::string_view kSeparators = ",;\t";

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \r") - first + 1);
}

// The two fields of a row, or nothing when the line has not exactly one separator.
std::optional<std::pair<std::string_view, std::string_view>> splitRow(std::string_view line)
{
    const auto separator = line.find_first_of(kSeparators);
    if (separator == std::string_view::npos)
        return std::nullopt;
    const std::string_view second = line.substr(separator + 1);
    if (second.find_first_of(kSeparators) != std::string_view::npos)
        return std::nullopt;
    return std::pair{trimmed(line.substr(0, separator)), trimmed(second)};
}

// A whole field as a finite real in the "C" locale, rounded as the file writes it.
std::optional<double> parseNumber(std::string_view field)
{
    if (field.starts_with('+'))
        field.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() ||
        !std::isfinite(value))
        return std::nullopt;
    std::string written;
    appendFixed(written, value, 6);
    return readLeadingReal(written);
}

std::string unquoted(std::string_view name)
{
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    return std::string(name);
}

// Refused, naming the line.
Status atLine(int line, const std::string &message)
{
    return Status::refused("ligne " + std::to_string(line) + " : " + message);
}

class TableReader {
public:
    // Takes a row, the header or a blank line; refused at anything else.
    Status take(std::string_view line, int number);
    Status finish() const;
    DataTable table;

private:
    bool seenFirst_ = false;
};

Status TableReader::take(std::string_view line, int number)
{
    if (trimmed(line).empty())
        return Status::done();
    const bool first = !seenFirst_;
    seenFirst_ = true;
    const auto fields = splitRow(line);
    if (!fields)
        return atLine(
            number,
            "deux valeurs séparées par une virgule, un point-virgule ou une tabulation attendues");
    const auto x = parseNumber(fields->first), y = parseNumber(fields->second);
    if (first && !x && !y) {
        table.xName = unquoted(fields->first);
        table.yName = unquoted(fields->second);
        table.headerLine = number;
        return Status::done();
    }
    if (!x || !y)
        return atLine(number, "deux nombres attendus (point décimal), pas « " +
                                  std::string(trimmed(line)) + " »");
    auto &rows = table.rows;
    if (!rows.empty() && *x <= rows.back().x)
        return atLine(number, "les x doivent croître strictement");
    if (rows.size() == static_cast<std::size_t>(kMaxSampledPoints))
        return atLine(number,
                      "plus de " + std::to_string(kMaxSampledPoints) + " lignes de données");
    rows.push_back({*x, *y});
    return Status::done();
}

Status TableReader::finish() const
{
    if (table.rows.size() < 2)
        return Status::refused("au moins deux lignes de données attendues");
    return Status::done();
}

}  // namespace

Status readDataTable(std::string_view text, DataTable &table)
{
    if (text.starts_with("\xEF\xBB\xBF"))  // a UTF-8 byte order mark
        text.remove_prefix(3);
    TableReader reader;
    int number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (Status taken = reader.take(line, ++number); !taken.ok())
            return taken;
    }
    if (Status finished = reader.finish(); !finished.ok())
        return finished;
    table = std::move(reader.table);
    return Status::done();
}

void setComputedCurve(CurveSlot &slot, const std::vector<CurvePoint> &rows)
{
    slot.sampleCount = 0;
    slot.interpolationFlag = 1;
    slot.samplingCount = static_cast<std::int32_t>(rows.size());
    std::copy(rows.begin(), rows.end(), slot.sampledPoints.begin());
    const auto [low, high] =
        std::minmax_element(rows.begin(), rows.end(),
                            [](const CurvePoint &a, const CurvePoint &b) { return a.y < b.y; });
    slot.xmin = rows.front().x;
    slot.xmax = rows.back().x;
    slot.ymin = low->y;
    slot.ymax = high->y;
    if (slot.ymin == slot.ymax) {
        slot.ymin -= 1.0;
        slot.ymax += 1.0;
    }
}

}  // namespace ombrelis
