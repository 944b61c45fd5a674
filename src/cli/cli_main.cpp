#include "cli/cli_commands.h"

#include <iostream>

int main(int argc, char *argv[])
{
    // The tool never shows a window; rendering works without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::vector<std::string> words(argv + 1, argv + argc);
    return runCli(words, std::cout, std::cerr);
}
