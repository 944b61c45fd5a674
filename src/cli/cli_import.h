#pragma once

#include "cli/cli_support.h"

// ombrelis-cli import: measured data (CSV) into a computed curve file.
Step importCommand(const CliArguments &arguments);
