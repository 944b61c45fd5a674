#include "app/qt_prompts.h"
#include "app/tolvane_app.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QtPrompts prompts;
    CTolvaneApp app(prompts);
    if (!app.initInstance(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
