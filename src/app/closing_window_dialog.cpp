#include "app/closing_window_dialog.h"

namespace ombrelis {

CClosingWindowDialog::CClosingWindowDialog(QWidget *parent)
    : TemplateDialog(QStringLiteral("Closing Window Dialog"), 186, 92, parent)
{
    addStatic(QStringLiteral("Voulez-vous enregistrer les courbes actives de cette fenêtre "
                             "avant sa fermeture?"),
              {13, 25, 89, 30});
    addButton(QStringLiteral("OK"), kOk, {121, 26, 50, 14}, true);
    addButton(QStringLiteral("NO"), kCancel, {122, 53, 50, 14});
}

}  // namespace ombrelis
