#include "framework/prompts.h"

#include <QDir>
#include <QFileInfo>

namespace ombrelis {

namespace {

std::optional<FileChoice> chosen(const std::optional<QString> &path)
{
    if (!path || path->isEmpty())
        return std::nullopt;
    FileChoice choice{QFileInfo(*path).absoluteFilePath()};
    QDir::setCurrent(QFileInfo(choice.path).absolutePath());
    return choice;
}

}  // namespace

QString FileChoice::fileTitle() const
{
    return QFileInfo(path).completeBaseName();
}

QString FileChoice::fileName() const
{
    return QFileInfo(path).fileName();
}

std::optional<FileChoice> Prompts::openFile(const FileDialogRequest &request)
{
    return chosen(askOpenFile(request));
}

std::optional<FileChoice> Prompts::saveFile(const FileDialogRequest &request)
{
    return chosen(askSaveFile(request));
}

}  // namespace ombrelis
