#pragma once

#include "curves/curve_slot.h"

#include <string>
#include <string_view>

namespace ombrelis {

// Texts that ombrelis-cli prints or writes. `file` is a path as the command
// line gave it.

// One "key: value" line per field of the file, numbers as the file writes them.
std::string curveInfoText(const CurveSlot &slot);

// The same fields as one JSON object headed by "file", numbers in their
// shortest form.
std::string curveInfoJson(const std::string &file, const CurveSlot &slot);

// The sampled points, one "x y" line each (six decimals); with a first
// column, each line starts with it and a tab.
std::string pointLines(const CurveSlot &slot, std::string_view firstColumn = {});

// The sampled points as CSV: a header "x,y", then full-precision rows.
std::string pointCsv(const CurveSlot &slot);

// The CSV rows of several files: the header "file,x,y", then the rows of
// each file below it.
inline constexpr std::string_view kFilePointCsvHeader = "file,x,y\n";
std::string filePointCsvRows(const std::string &file, const CurveSlot &slot);

// {"file": ..., "points": [[x, y], ...]}
std::string pointsJson(const std::string &file, const CurveSlot &slot);

// {"file": ..., "area": value}
std::string areaJson(const std::string &file, double area);

}  // namespace ombrelis
