#include "app/tolvane_doc.h"

#include "framework/command_ids.h"
#include "view/my_view.h"

#include <QFileInfo>

namespace ombrelis {

CTolvaneDoc::CTolvaneDoc(QObject *parent) : QObject(parent)
{
    // The document keeps no data, so a save has nothing to write; curves
    // are saved by the per-curve commands only.
    commands_.bind(cmd::FileSave, [] {});
}

void CTolvaneDoc::setTitle(const QString &title)
{
    if (title == title_)
        return;
    title_ = title;
    Q_EMIT titleChanged(title_);
}

void CTolvaneDoc::setPathName(const QString &path)
{
    pathName_ = path;
    setTitle(QFileInfo(path).fileName());
}

bool CTolvaneDoc::onNewDocument()
{
    setTitle(untitled());
    return true;
}

bool CTolvaneDoc::onOpenDocument(const QString &path, QString *error, QString *fault)
{
    if (!view_ || path.size() < 4)
        return false;
    return view_->openCurveDocument(path.chopped(4), error, fault);
}

}  // namespace ombrelis
