#pragma once

#include "curves/curve_slot.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ombrelis {

// What a file dialog is asked to show.
struct FileDialogRequest {
    QString title;
    QString filterName;        // e.g. "curve files (*.crv)"
    QString filterPattern;     // e.g. "*.crv"
    QString defaultExtension;  // save dialogs: added when the typed name has none
    QString initialName;       // save dialogs: proposed file name
};

// The answers to CClosingWindowDialog.
enum class ClosingAnswer {
    Save,      // "OK": save the active curves, then close
    Discard,   // "NO": close without saving
    KeepOpen,  // Escape or the close box: the window stays as it is
};

// Why Save All asks before saving a curve (CSaveAllDialog).
enum class SaveAllReason {
    OpenElsewhere,   // another window holds a curve of that name
    AlreadyWritten,  // the same Save All has just written another curve to its file
};

// A file chosen in a file dialog.
struct FileChoice {
    QString path;  // absolute

    QString fileTitle() const;  // name without directory and without extension
    QString fileName() const;   // name with its extension, without directory
};

// A window that an editor left without closing it, as the recovery
// question lists it.
struct RecoverableWindow {
    QStringList curveNames;  // the curves 1 to 4 that have a name
    QDateTime lastChange;
};

// Every modal question the editor asks goes through this interface, so that
// tests can answer them without a modal loop. The real implementation shows
// the dialogs; tests script the answers. Dialogs that only have an OK button
// return nothing.
class Prompts {
public:
    virtual ~Prompts() = default;

    // The commands name files relative to the folder of the last chosen
    // file, so a choice also makes that folder the current directory.
    std::optional<FileChoice> openFile(const FileDialogRequest &request);
    std::optional<FileChoice> saveFile(const FileDialogRequest &request);

    // The colour chooser, starting from black; a 0x00BBGGRR value on OK.
    virtual std::optional<Colour> chooseColour() = 0;

    // CReadOnlyDialog: true for "OK" (save under another name), false for "Annuler".
    virtual bool confirmReadOnly() = 0;
    // CSaveAllDialog: true for "OK".
    virtual bool confirmSaveAll(const QString &curveName, SaveAllReason reason) = 0;
    // CClosingWindowDialog.
    virtual ClosingAnswer askClosingWindow() = 0;
    // CScriptMessagesDialog showing one message.
    virtual void showScriptMessage(const QString &message) = 0;
    // "Number of Sampling Points Dialog": 16..4096, or nothing on Cancel.
    virtual std::optional<int> askSamplingCount() = 0;
    // "Tangent Length Dialog": 5..25, or nothing on Cancel.
    virtual std::optional<int> askTangentLength() = 0;
    // The curves of windows left by an editor that stopped without closing
    // them: true for "Récupérer", false for "Ignorer".
    virtual bool confirmRecovery(const std::vector<RecoverableWindow> &windows) = 0;
    // CAboutDialog.
    virtual void showAbout() = 0;
    // A failure the user must acknowledge, such as a file that cannot be read.
    virtual void showError(const QString &message) = 0;

protected:
    // Both return the absolute path of the chosen file.
    virtual std::optional<QString> askOpenFile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> askSaveFile(const FileDialogRequest &request) = 0;
};

}  // namespace ombrelis
