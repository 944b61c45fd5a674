#pragma once

#include "framework/template_dialog.h"

class QLabel;

namespace ombrelis {

// Shows one message of a script run (template 140).
class CScriptMessagesDialog : public TemplateDialog {
    Q_OBJECT
public:
    explicit CScriptMessagesDialog(QWidget *parent = nullptr);

    void setMessage(const QString &message);
    QString message() const;

private:
    QLabel *messageText_;  // static 1066
};

}  // namespace ombrelis
