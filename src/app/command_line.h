#pragma once

#include <QString>
#include <QStringList>

// The editor's command line: "ombrelis [FICHIER.crv...]", --help and --version.
struct EditorCommandLine {
    QStringList files;  // to open as documents, in order
    QString message;    // help or version text to print instead of starting
    bool failed = false;  // an unknown option: `message` says what was wrong
};

EditorCommandLine parseEditorCommandLine(const QStringList &arguments);
