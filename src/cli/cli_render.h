#pragma once

#include "cli/cli_support.h"

namespace ombrelis {

// ombrelis-cli render: paints curves 1 to 4 of a window into a PNG, SVG or
// PDF file with the editor's scene and painter; what is wrong with a file it
// still reads goes to `faults`.
Status renderCommand(const CliArguments &arguments, std::ostream &faults);

}  // namespace ombrelis
