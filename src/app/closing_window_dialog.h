#pragma once

#include "framework/template_dialog.h"

namespace ombrelis {

// Asked when a document window closes: save its active curves first? (template 141)
class CClosingWindowDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CClosingWindowDialog(QWidget *parent = nullptr);
};

}  // namespace ombrelis
