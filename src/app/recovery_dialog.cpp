#include "app/recovery_dialog.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

namespace ombrelis {

namespace {

QString windowLine(const RecoverableWindow &window)
{
    const QString names = window.curveNames.isEmpty()
                              ? QStringLiteral("(courbes sans nom)")
                              : window.curveNames.join(QStringLiteral(", "));
    const QString when =
        QLocale(QLocale::French, QLocale::France)
            .toString(window.lastChange, QStringLiteral("d MMMM yyyy 'à' HH:mm:ss"));
    return QStringLiteral("• %1 — modifiée le %2").arg(names, when);
}

QString recoveryQuestion(const std::vector<RecoverableWindow> &windows)
{
    const bool one = windows.size() == 1;
    QStringList lines{one ? QStringLiteral("Ombrelis s'est arrêté sans fermer cette fenêtre ; "
                                           "ses courbes ont été gardées :")
                          : QStringLiteral("Ombrelis s'est arrêté sans fermer ces fenêtres ; "
                                           "leurs courbes ont été gardées :")};
    for (const RecoverableWindow &window : windows)
        lines << windowLine(window);
    lines << QString()
          << (one ? QStringLiteral("« Récupérer » la rouvre ; « Ignorer » efface sa copie.")
                  : QStringLiteral("« Récupérer » les rouvre ; « Ignorer » efface leurs copies."));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

bool askRecovery(QWidget *owner, const std::vector<RecoverableWindow> &windows)
{
    QMessageBox box(owner);
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(QStringLiteral("Récupération des courbes"));
    box.setTextFormat(Qt::PlainText);  // curve names are shown as they are
    box.setText(recoveryQuestion(windows));
    QPushButton *recover = box.addButton(QStringLiteral("Récupérer"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Ignorer"), QMessageBox::DestructiveRole);
    box.setDefaultButton(recover);
    box.exec();
    return box.clickedButton() == recover;
}

}  // namespace ombrelis
