#pragma once

#include "widgets/template_dialog.h"

// The about box (template 100).
class CAboutDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(QWidget *parent = nullptr);
};
