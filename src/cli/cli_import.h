#pragma once

#include "cli/cli_support.h"

// ombrelis-cli import: measured data (CSV) into a computed curve file.
Status importCommand(const CliArguments &arguments);
