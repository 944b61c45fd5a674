#pragma once

#include "framework/prompts.h"

class QColor;
class QWidget;

namespace ombrelis {

// The questions asked with the real dialogs, owned by the main window.
class QtPrompts final : public Prompts {
public:
    std::optional<Colour> chooseColour() override;
    bool confirmReadOnly() override;
    bool confirmSaveAll(const QString &curveName, SaveAllReason reason) override;
    ClosingAnswer askClosingWindow() override;
    void showScriptMessage(const QString &message) override;
    std::optional<int> askSamplingCount() override;
    std::optional<int> askTangentLength() override;
    bool confirmRecovery(const std::vector<RecoverableWindow> &windows) override;
    void showAbout() override;
    void showError(const QString &message) override;

protected:
    std::optional<QString> askOpenFile(const FileDialogRequest &request) override;
    std::optional<QString> askSaveFile(const FileDialogRequest &request) override;
};

// The Qt form of a one-entry filter, e.g. "curve files (*.crv)".
QString fileDialogFilter(const FileDialogRequest &request);

// 0x00BBGGRR from a colour.
Colour colourValue(const QColor &colour);

}  // namespace ombrelis
