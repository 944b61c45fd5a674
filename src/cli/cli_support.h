#pragma once

#include "cli/cli_arguments.h"
#include "curves/curve_store.h"
#include "curves/status.h"

#include <optional>
#include <ostream>
#include <string>

namespace ombrelis {

// Steps shared by the subcommands of ombrelis-cli. A refused step ends the
// tool: its French message goes to stderr and the exit code is kExitUsage.

// Loads `path` into `slot` as the editor's Open does: the file's fields, the
// file title as name, active, current. What is wrong with a file that is
// still read (parseCurveFile) goes to `faults` as one line, and the tool
// goes on.
Status loadCurve(CurveStore &store, int slot, const std::string &path, std::ostream &faults);

// --count N, when given: 16 to 4096.
Status readCount(const CliArguments &arguments, std::optional<int> &count);

// Applies --count as the sampling commands do, lets a repaint resample the
// curves and makes --current (1 to 4, default 1) the current curve.
Status prepareWindow(const CliArguments &arguments, CurveStore &store);

// Makes `text` a legend for a curve file: composed as Unicode composes it (e
// and a combining acute accent become é), then refused with `where` (an
// option, a line of a file) at the head of the message when checkLegend
// finds a fault. What Windows-1252 cannot hold is never written as "?".
Status composeLegend(std::string &text, const std::string &where);

// Replaces `path` atomically with `bytes`; on any failure the old file stays
// as it was.
Status writeFile(const std::string &path, const std::string &bytes);

}  // namespace ombrelis
