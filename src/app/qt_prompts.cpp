#include "app/qt_prompts.h"

#include "app/about_dialog.h"
#include "app/closing_window_dialog.h"
#include "app/recovery_dialog.h"
#include "curves/curve_file_dialogs.h"
#include "script/script_messages_dialog.h"
#include "view/option_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>

namespace ombrelis {

namespace {

// Dialogs are given no parent of their own, so the main window owns them.
QWidget *owner()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (qobject_cast<QMainWindow *>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

std::optional<QString> chosenPath(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString fileDialogFilter(const FileDialogRequest &request)
{
    if (request.filterPattern.isEmpty())
        return QStringLiteral("Tous les fichiers (*)");
    if (request.filterName.contains(QLatin1Char('(') + request.filterPattern + QLatin1Char(')')))
        return request.filterName;
    return QStringLiteral("%1 (%2)").arg(request.filterName, request.filterPattern);
}

Colour colourValue(const QColor &colour)
{
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

std::optional<QString> QtPrompts::askOpenFile(const FileDialogRequest &request)
{
    QFileDialog dialog(owner(), request.title, QDir::currentPath(), fileDialogFilter(request));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenPath(dialog);
}

std::optional<QString> QtPrompts::askSaveFile(const FileDialogRequest &request)
{
    QFileDialog dialog(owner(), request.title, QDir::currentPath(), fileDialogFilter(request));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    dialog.selectFile(request.initialName);
    return chosenPath(dialog);
}

std::optional<Colour> QtPrompts::chooseColour()
{
    const QColor colour = QColorDialog::getColor(Qt::black, owner());
    if (!colour.isValid())
        return std::nullopt;
    return colourValue(colour);
}

bool QtPrompts::confirmReadOnly()
{
    CReadOnlyDialog dialog(owner());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompts::confirmSaveAll(const QString &curveName, SaveAllReason reason)
{
    CSaveAllDialog dialog(owner(), reason);
    dialog.setCurveName(curveName);
    return dialog.exec() == QDialog::Accepted;
}

ClosingAnswer QtPrompts::askClosingWindow()
{
    CClosingWindowDialog dialog(owner());
    switch (dialog.exec()) {
    case QDialog::Accepted:
        return ClosingAnswer::Save;
    case CClosingWindowDialog::kCancel:  // "NO"
        return ClosingAnswer::Discard;
    default:
        return ClosingAnswer::KeepOpen;
    }
}

void QtPrompts::showScriptMessage(const QString &message)
{
    CScriptMessagesDialog dialog(owner());
    dialog.setMessage(message);
    dialog.exec();
}

std::optional<int> QtPrompts::askSamplingCount()
{
    CSamplingCountDialog dialog(owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

std::optional<int> QtPrompts::askTangentLength()
{
    CTangentLengthDialog dialog(owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

bool QtPrompts::confirmRecovery(const std::vector<RecoverableWindow> &windows)
{
    return askRecovery(owner(), windows);
}

void QtPrompts::showAbout()
{
    CAboutDialog dialog(owner());
    dialog.exec();
}

void QtPrompts::showError(const QString &message)
{
    QMessageBox::warning(owner(), QStringLiteral("Ombrelis"), message);
}

}  // namespace ombrelis
