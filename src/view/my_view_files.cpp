// The per-curve file commands: Open, Save and New/Save as of curves 1 to 4.
#include "view/my_view.h"

#include "curves/curve_file_io.h"
#include "curves/curve_file_names.h"
#include "framework/command_ids.h"
#include "framework/prompts.h"
#include "view/view_host.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace ombrelis {

namespace {

struct CurveFileCommands {
    int open;
    int save;
    int saveAs;
};

constexpr std::array<CurveFileCommands, kCurveCount> kCurveFileCommands{{
    {cmd::Curve1Open, cmd::Curve1Save, cmd::Curve1SaveAs},
    {cmd::Curve2Open, cmd::Curve2Save, cmd::Curve2SaveAs},
    {cmd::Curve3Open, cmd::Curve3Save, cmd::Curve3SaveAs},
    {cmd::Curve4Open, cmd::Curve4Save, cmd::Curve4SaveAs},
}};

FileDialogRequest curveFileRequest(const char *action, int slot)
{
    FileDialogRequest request;
    request.title = QStringLiteral("Curve%1 %2").arg(slot + 1).arg(QLatin1String(action));
    request.filterName = QStringLiteral("curve files (*.crv)");
    request.filterPattern = QStringLiteral("*.crv");
    return request;
}

QString folderOf(const FileChoice &choice)
{
    return QFileInfo(choice.path).absolutePath();
}

}  // namespace

void MyView::bindFileCommands()
{
    for (int slot = 0; slot < kCurveCount; ++slot) {
        const CurveFileCommands &ids = kCurveFileCommands[static_cast<std::size_t>(slot)];
        commands_.bind(ids.open, [this, slot] { openCurveCommand(slot); });
        commands_.bind(ids.save, [this, slot] { saveCurveCommand(slot); });
        commands_.bind(ids.saveAs, [this, slot] { saveCurveAsCommand(slot); });
    }
}

// What is done before the read stays done when the read fails: the slot is
// active and the title names the file. The bars name the file only once it
// is read: until then they show what the curve holds.
void MyView::openCurveCommand(int slot)
{
    const auto choice = host_.prompts().openFile(curveFileRequest("Open", slot));
    if (!choice)
        return;
    const QString title = choice->fileTitle();
    const QString fileName = QDir(folderOf(*choice)).filePath(title + QStringLiteral(".crv"));
    const CurveStore::Step step(*store_);
    store_->setActive(slot, true);
    retitleWithCurve(title, !isWritableFile(fileName));
    QString fault;
    if (QString error; !readCurveFile(folderOf(*choice), title, slot, &error, &fault)) {
        host_.prompts().showError(error);
        return;
    }
    fillDisplayBars();
    requestRepaint();
    host_.addRecentFile(choice->path);
    // The curve is loaded as read; the user learns what was wrong with the file.
    if (!fault.isEmpty())
        host_.prompts().showError(fault);
}

bool MyView::saveCurveCommand(int slot)
{
    const CurveSlot &curve = store_->slots()[slot];
    if (curve.name.empty())
        return false;
    const QString fileName = QString::fromStdString(curveSavePath(curve));
    const CurveWrite written = writeCurveFile(fileName, slot);
    if (written == CurveWrite::SaveElsewhere)
        saveCurveAsCommand(slot);
    return written == CurveWrite::Written;
}

void MyView::saveCurveAsCommand(int slot)
{
    // The current curve moves into the named slot before the question and
    // stays moved if it is cancelled.
    const CurveStore::Step step(*store_);
    if (store_->currentCurve != slot) {
        store_->copySlot(store_->currentCurve, slot);
        store_->resetSlot(store_->currentCurve);
    }
    FileDialogRequest request = curveFileRequest("New/SaveAs", slot);
    request.defaultExtension = QStringLiteral("crv");
    request.initialName =
        QString::fromStdString(store_->slots()[slot].name) + QStringLiteral(".crv");
    const auto choice = host_.prompts().saveFile(request);
    if (!choice)
        return;
    const QString title = choice->fileTitle();
    store_->setActive(slot, true);
    store_->nameCurve(slot, title.toStdString(), folderOf(*choice).toStdString());
    writeCurveFile(choice->path, slot);  // a refusal changes nothing here

    store_->currentCurve = slot;
    DisplayBarFields &bar = host_.barFields().display;
    bar.curveNames[static_cast<std::size_t>(slot)] = store_->slots()[slot].name;
    bar.selectedCurve = slot;
    host_.writeBar(BarId::Display);
    host_.writeBar(BarId::DisplayY);
    retitleWithCurve(title, false);
    requestRepaint();
}

// A curve with control samples is written with the points a paint would
// draw, even when no paint came between a change and the save.
MyView::CurveWrite MyView::writeCurveFile(const QString &fileName, int slot)
{
    if (slot < kCurveCount)
        store_->resampleCurve(slot);
    QString reason;
    switch (ombrelis::writeCurveFile(fileName, store_->slots()[slot], &reason)) {
    case FileWriteResult::Written:
        return CurveWrite::Written;
    case FileWriteResult::CannotOpen:
        return host_.prompts().confirmReadOnly() ? CurveWrite::SaveElsewhere
                                                 : CurveWrite::NotWritten;
    case FileWriteResult::WriteFailed:
        break;
    }
    host_.prompts().showError(QStringLiteral("Impossible d'enregistrer le fichier « %1 » : %2. "
                                             "Le fichier sur le disque est resté tel qu'il était.")
                                  .arg(QFileInfo(fileName).absoluteFilePath(), reason));
    return CurveWrite::NotWritten;
}

bool MyView::readCurveFile(const QString &folder, const QString &baseName, int slot, QString *error,
                           QString *fault)
{
    return ombrelis::readCurveFile(
        *store_, slot, QDir(folder).filePath(baseName + QStringLiteral(".crv")),
        CurveFileNames::ofBaseName(baseName.toStdString()), error, fault);
}

void MyView::retitleWithCurve(const QString &fileTitle, bool readOnly)
{
    const std::string title = curveWindowTitle(fileTitle.toStdString(), readOnly,
                                               host_.documentTitle(*this).toStdString());
    host_.setDocumentTitle(*this, QString::fromStdString(title));
}

}  // namespace ombrelis
