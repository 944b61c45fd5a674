#pragma once

#include "framework/prompts.h"
#include "framework/template_dialog.h"

class QLabel;

namespace ombrelis {

// Shown when a curve file cannot be opened for writing.
class CReadOnlyDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CReadOnlyDialog(QWidget *parent = nullptr);
};

// Asks whether to save a curve whose name is open in another window
// (template 139), or whose file the same Save All has just written.
class CSaveAllDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CSaveAllDialog(QWidget *parent = nullptr,
                            SaveAllReason reason = SaveAllReason::OpenElsewhere);

    void setCurveName(const QString &name);
    QString curveName() const;

private:
    QLabel *curveName_;  // static 1065
};

}  // namespace ombrelis
