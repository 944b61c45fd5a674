#include "app/command_line.h"
#include "app/main_frame.h"
#include "app/qt_prompts.h"
#include "app/qt_translations.h"
#include "app/tolvane_app.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    using namespace ombrelis;
    QApplication application(argc, argv);
    installQtFrenchTranslations(application);
    EditorCommandLine commandLine;
    if (QString error; !parseEditorCommandLine(QApplication::arguments(), &commandLine, &error)) {
        std::fputs(error.toLocal8Bit().constData(), stderr);
        return 2;
    }
    if (!commandLine.message.isEmpty()) {
        std::fputs(commandLine.message.toLocal8Bit().constData(), stdout);
        return 0;
    }
    QtPrompts prompts;
    CTolvaneApp app(prompts);
    if (!app.initInstance(commandLine.files))
        return 1;
    // Only for tests that run the editor as a process of its own: command
    // identifiers to run once it is up, standing for the user's changes.
    const QString testCommands = qEnvironmentVariable("OMBRELIS_TEST_COMMANDS");
    for (const QString &id : testCommands.split(QLatin1Char(','), Qt::SkipEmptyParts))
        app.mainFrame()->runCommand(id.toInt());
    return QApplication::exec();
}
