#include "script/script_messages_dialog.h"

#include <QLabel>

namespace ombrelis {

CScriptMessagesDialog::CScriptMessagesDialog(QWidget *parent)
    : TemplateDialog(QStringLiteral("Script Messages Dialog"), 186, 92, parent)
{
    messageText_ = addStatic(QString(), {21, 24, 92, 45});
    messageText_->setObjectName(QStringLiteral("message"));
    addButton(QStringLiteral("OK"), kOk, {123, 39, 50, 14}, true);
}

void CScriptMessagesDialog::setMessage(const QString &message)
{
    messageText_->setText(message);
}

QString CScriptMessagesDialog::message() const
{
    return messageText_->text();
}

}  // namespace ombrelis
