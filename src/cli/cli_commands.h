#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ombrelis {

// Exit codes of ombrelis-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitScriptFailed = 1;
inline constexpr int kExitUsage = 2;  // bad usage, or a file that cannot be read or written

// Runs ombrelis-cli with the words after the program name; normal output goes
// to `out`, French messages to `err`. Returns the exit code, kExitUsage when
// `out` cannot be flushed.
int runCli(const std::vector<std::string> &words, std::ostream &out, std::ostream &err);

}  // namespace ombrelis
