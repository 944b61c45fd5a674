#include "app/about_dialog.h"

#include "app/app_icons.h"

#include <QLabel>

namespace ombrelis {

CAboutDialog::CAboutDialog(QWidget *parent)
    : TemplateDialog(QStringLiteral("A propos de Tolvane"), 217, 55, parent)
{
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("applicationIcon"));
    const QPixmap pixmap = applicationIcon().pixmap(32, 32);
    icon->setPixmap(pixmap);
    icon->setGeometry(QRect(QPoint(units().x(11), units().y(17)), pixmap.size()));
    addStatic(QStringLiteral("Ombrelis version 1.1"), {40, 10, 119, 8});
    addButton(QStringLiteral("OK"), kOk, {178, 7, 32, 14}, true);
}

}  // namespace ombrelis
