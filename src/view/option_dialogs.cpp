#include "view/option_dialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpressionValidator>

namespace ombrelis {

CIntegerDialog::CIntegerDialog(const Template &dialog, QWidget *parent)
    : TemplateDialog(QString::fromUtf8(dialog.title), dialog.width, dialog.height, parent),
      value_(dialog.initialValue),
      minimum_(dialog.minimum),
      maximum_(dialog.maximum)
{
    QLabel *prompt = addStatic(QString::fromUtf8(dialog.prompt), {13, 14, 105, 18});
    edit_ = new QLineEdit(QString::number(dialog.initialValue), this);
    prompt->setBuddy(edit_);  // the prompt names the box for a screen reader
    edit_->setObjectName(QString::number(dialog.editId));
    edit_->setGeometry(units().rect(13, 40, 60, 14));
    edit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit_));
    addButton(QStringLiteral("OK"), kOk, {129, 7, 50, 14}, true);
    addButton(QStringLiteral("Cancel"), kCancel, {129, 24, 50, 14});
    edit_->setFocus();
    edit_->selectAll();

    reportInvalid = [this](const QString &message) {
        QMessageBox::warning(this, windowTitle(), message);
    };
}

void CIntegerDialog::accept()
{
    const QString text = edit_->text();
    bool ok = false;
    const qlonglong entered = text.toLongLong(&ok);
    QString refusal;
    if (text.isEmpty())
        refusal = QStringLiteral("Entrez un entier.");
    else if (!ok || entered < minimum_ || entered > maximum_)
        refusal =
            QStringLiteral("Entrez un entier compris entre %1 et %2.").arg(minimum_).arg(maximum_);
    if (!refusal.isEmpty()) {
        if (reportInvalid)
            reportInvalid(refusal);
        edit_->setFocus();
        edit_->selectAll();
        return;
    }
    value_ = static_cast<int>(entered);
    TemplateDialog::accept();
}

CSamplingCountDialog::CSamplingCountDialog(QWidget *parent)
    : CIntegerDialog({"Number of Sampling Points Dialog", 186, 95,
                      "Entrez un entier compris entre 16 et 4096", 1043, 5, 16, 4096},
                     parent)
{ }

CTangentLengthDialog::CTangentLengthDialog(QWidget *parent)
    : CIntegerDialog(
          {"Tangent Length Dialog", 186, 92, "Entrez un entier entre 5 et 25", 1064, 15, 5, 25},
          parent)
{ }

}  // namespace ombrelis
