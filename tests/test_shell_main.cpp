#include "shell_fixture.h"
#include "test_shell.h"

#include <QApplication>

using namespace ombrelis;

ShellCommandsTest::ShellCommandsTest() = default;
ShellCommandsTest::~ShellCommandsTest() = default;
ShellWindowsTest::ShellWindowsTest() = default;
ShellWindowsTest::~ShellWindowsTest() = default;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    int failures = 0;
    {
        ShellCommandsTest commands;
        failures += QTest::qExec(&commands, argc, argv);
    }
    {
        ShellWindowsTest windows;
        failures += QTest::qExec(&windows, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
