#include "curves/curve_file_dialogs.h"

#include <QLabel>

namespace ombrelis {

CReadOnlyDialog::CReadOnlyDialog(QWidget *parent)
    : TemplateDialog(QStringLiteral("Fichier en lecture seule!!!"), 186, 95, parent)
{
    addStatic(
        QStringLiteral("Attention, ce fichier est en lecture seule. Choisissez OK pour "
                       "sauvegarder la courbe sous un autre nom ou Annuler pour... annuler!!"),
        {7, 18, 114, 56}, Qt::AlignHCenter | Qt::AlignTop);
    addButton(QStringLiteral("OK"), kOk, {129, 7, 50, 14}, true);
    addButton(QStringLiteral("Annuler"), kCancel, {129, 24, 50, 14});
}

CSaveAllDialog::CSaveAllDialog(QWidget *parent, SaveAllReason reason)
    : TemplateDialog(QStringLiteral("Save All Active Curves Dialog"), 186, 92, parent)
{
    // The lines of the question after the curve's name.
    const QStringList lines =
        reason == SaveAllReason::OpenElsewhere
            ? QStringList{"est ouverte dans une autre ", "fenêtre. Voulez-vous la ",
                          "sauvegarder ou non?"}
            : QStringList{"remplacerait le fichier ", "qu'une autre courbe vient ",
                          "d'écrire. Voulez-vous la ", "sauvegarder ou non?"};
    addStatic(QStringLiteral("La courbe"), {13, 14, 100, 8});
    curveName_ = addStatic(QString(), {13, 25, 100, 8});
    curveName_->setObjectName(QStringLiteral("curveName"));
    int top = 39;
    for (const QString &line : lines) {
        addStatic(line, {13, top, 100, 8});
        top += 10;
    }
    addButton(QStringLiteral("OK"), kOk, {129, 7, 50, 14}, true);
    addButton(QStringLiteral("Cancel"), kCancel, {129, 24, 50, 14});
}

void CSaveAllDialog::setCurveName(const QString &name)
{
    curveName_->setText(name);
}

QString CSaveAllDialog::curveName() const
{
    return curveName_->text();
}

}  // namespace ombrelis
