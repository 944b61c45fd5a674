#pragma once

#include "framework/template_dialog.h"

namespace ombrelis {

// The about box (template 100).
class CAboutDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget *parent = nullptr);
};

}  // namespace ombrelis
