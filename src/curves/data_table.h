#pragma once

#include "curves/curve_slot.h"
#include "curves/status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelis {

// Measured data as text: one "x,y" row per line (comma, semicolon or tab
// between the two numbers, "." as decimal point), an optional header line
// naming the two columns, x strictly ascending, 2 to 4096 rows.

struct DataTable {
    std::optional<std::string> xName;  // from the header line, when there is one
    std::optional<std::string> yName;
    int headerLine = 0;  // the number of the header line, from 1; 0 without one
    std::vector<CurvePoint> rows;
};

// Reads the rows as a curve file keeps them: each number is rounded to the six
// decimals the file writes, so a curve made of the rows round-trips exactly
// and two x that the file would write alike count as not ascending. `table`
// changes only when the whole text was read; a refusal names the line at fault.
Status readDataTable(std::string_view text, DataTable &table);

// Makes `slot` the computed curve through `rows` (2 to 4096, x ascending):
// no control samples, the rows as sampled points, the data's range as bounds
// (a flat curve gets one unit above and below). Texts, colour and the other
// array entries are left as they were.
void setComputedCurve(CurveSlot &slot, const std::vector<CurvePoint> &rows);

}  // namespace ombrelis
