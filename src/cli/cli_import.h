#pragma once

#include "cli/cli_support.h"

namespace ombrelis {

// ombrelis-cli import: measured data (CSV) into a computed curve file.
Status importCommand(const CliArguments &arguments);

}  // namespace ombrelis
