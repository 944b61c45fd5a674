#include "app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

EditorCommandLine parseEditorCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Ombrelis, éditeur de courbes y = f(x) ; chaque fichier nommé s'ouvre dans une fenêtre."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide et quitte."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version et quitte."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("fichiers"),
                                 QStringLiteral("Fichiers de courbe (.crv) à ouvrir, dans l'ordre."),
                                 QStringLiteral("[FICHIER.crv...]"));

    EditorCommandLine result;
    if (!parser.parse(arguments)) {
        result.failed = true;
        result.message = parser.errorText() + QStringLiteral("\nVoir ombrelis --help.\n");
    } else if (parser.isSet(help)) {
        result.message = parser.helpText();
    } else if (parser.isSet(version)) {
        result.message = QStringLiteral("ombrelis %1\n").arg(QStringLiteral(OMBRELIS_VERSION));
    } else {
        result.files = parser.positionalArguments();
    }
    return result;
}
