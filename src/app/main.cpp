#include "app/command_line.h"
#include "app/qt_prompts.h"
#include "app/qt_translations.h"
#include "app/tolvane_app.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    installQtFrenchTranslations(application);
    const EditorCommandLine commandLine = parseEditorCommandLine(QApplication::arguments());
    if (!commandLine.message.isEmpty()) {
        std::fputs(commandLine.message.toLocal8Bit().constData(), commandLine.failed ? stderr : stdout);
        return commandLine.failed ? 2 : 0;
    }
    QtPrompts prompts;
    CTolvaneApp app(prompts);
    if (!app.initInstance(commandLine.files))
        return 1;
    return QApplication::exec();
}
