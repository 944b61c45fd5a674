#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace ombrelis {

bool parseEditorCommandLine(const QStringList &arguments, EditorCommandLine *commandLine,
                            QString *error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Ombrelis, éditeur de courbes y = f(x) ; chaque fichier nommé s'ouvre dans une fenêtre."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide et quitte."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version et quitte."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(
        QStringLiteral("fichiers"),
        QStringLiteral("Fichiers de courbe (.crv) à ouvrir, dans l'ordre."),
        QStringLiteral("[FICHIER.crv...]"));

    if (!parser.parse(arguments)) {
        if (error)
            *error = parser.errorText() + QStringLiteral("\nVoir ombrelis --help.\n");
        return false;
    }
    if (parser.isSet(help)) {
        commandLine->message = parser.helpText();
    } else if (parser.isSet(version)) {
        commandLine->message =
            QStringLiteral("ombrelis %1\n").arg(QStringLiteral(OMBRELIS_VERSION));
    } else {
        commandLine->files = parser.positionalArguments();
    }
    return true;
}

}  // namespace ombrelis
