#include "cli/cli_commands.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <iostream>

namespace ombrelis {

namespace {

// Qt's own notes (such as a missing runtime directory on the offscreen
// platform) would mix with the tool's messages on stderr; only its errors pass.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << '\n';
}

}  // namespace

}  // namespace ombrelis

int main(int argc, char *argv[])
{
    using namespace ombrelis;
    // The tool never shows a window; rendering works without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtErrorsOnly);
    const std::vector<std::string> words(argv + 1, argv + argc);
    return runCli(words, std::cout, std::cerr);
}
