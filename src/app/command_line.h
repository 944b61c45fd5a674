#pragma once

#include <QString>
#include <QStringList>

namespace ombrelis {

// The editor's command line: "ombrelis [FICHIER.crv...]", --help and --version.
struct EditorCommandLine {
    QStringList files;  // to open as documents, in order
    QString message;    // help or version text to print instead of starting
};

// False, with what was wrong in *error (if given), for an unknown option.
bool parseEditorCommandLine(const QStringList &arguments, EditorCommandLine *commandLine,
                            QString *error);

}  // namespace ombrelis
