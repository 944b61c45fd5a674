// The real dialogs behind Prompts: titles, texts, buttons, sizes in dialog
// units, the integer dialogs' validation, and the answers QtPrompts returns.
#include "accessible_tree.h"
#include "app/about_dialog.h"
#include "app/closing_window_dialog.h"
#include "app/qt_prompts.h"
#include "curves/curve_file_dialogs.h"
#include "framework/prompts.h"
#include "script/script_messages_dialog.h"
#include "scripted_prompts.h"
#include "view/option_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace ombrelis;

namespace {

using DialogFactory = std::function<std::unique_ptr<TemplateDialog>()>;

template <class Dialog, class... Arguments> DialogFactory make(Arguments... arguments)
{
    return [=] { return std::make_unique<Dialog>(arguments...); };
}

QStringList labelTexts(const QWidget &dialog)
{
    QStringList texts;
    const auto labels = dialog.findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

QPushButton *button(const QWidget &dialog, const QString &text)
{
    const auto buttons = dialog.findChildren<QPushButton *>();
    for (QPushButton *candidate : buttons) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

// Once the next modal dialog is up, hands it to `act`.
void whenModal(std::function<void(QWidget &)> act)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(*dialog);
        }
    });
    poll->start(5);
}

void click(const QString &text)
{
    whenModal([text](QWidget &dialog) {
        QPushButton *target = button(dialog, text);
        QVERIFY2(target, qPrintable(text));
        target->click();
    });
}

}  // namespace

Q_DECLARE_METATYPE(DialogFactory)

class DialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dialogUnitsFollowTheFont();
    void templates_data();
    void templates();
    void placesControlsAtTemplatePositions();
    void textsShowWhole_data();
    void textsShowWhole();
    void integerDialogs_data();
    void integerDialogs();
    void integerEditTakesDigitsOnly();
    void qtPromptsReturnTheAnswer();
    void qtPromptsIntegerAnswers();
    void helpers();
    void fileChoiceMovesTheCurrentDirectory();
};

void DialogsTest::dialogUnitsFollowTheFont()
{
    const QFont font = dialogFont();
    const DialogUnits units(font);
    const QFontMetrics metrics(font);
    QVERIFY(units.baseWidth() > 0);
    QCOMPARE(units.baseHeight(), metrics.height());
    QCOMPARE(units.x(4), units.baseWidth());
    QCOMPARE(units.y(8), units.baseHeight());
    QCOMPARE(units.x(186), qRound(186.0 * units.baseWidth() / 4));
    QCOMPARE(units.y(95), qRound(95.0 * units.baseHeight() / 8));
    // A larger face gives a larger dialog.
    QFont large = font;
    large.setPointSize(16);
    QVERIFY(DialogUnits(large).x(186) > units.x(186));
    // Units measured once per font stay those of their own font, however
    // many fonts came in between.
    for (int round = 0; round < 2; ++round) {
        for (int points = 6; points <= 14; ++points) {
            QFont sized = font;
            sized.setPointSize(points);
            QCOMPARE(DialogUnits(sized).baseHeight(), QFontMetrics(sized).height());
        }
    }
}

void DialogsTest::templates_data()
{
    QTest::addColumn<DialogFactory>("factory");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("about") << make<CAboutDialog>() << "A propos de Tolvane" << QSize(217, 55)
                           << QStringList{"Ombrelis version 1.1"} << QStringList{"OK"};
    QTest::newRow("read-only")
        << make<CReadOnlyDialog>() << "Fichier en lecture seule!!!" << QSize(186, 95)
        << QStringList{"Attention, ce fichier est en lecture seule. Choisissez OK pour "
                       "sauvegarder la courbe sous un autre nom ou Annuler pour... annuler!!"}
        << QStringList{"OK", "Annuler"};
    QTest::newRow("save all") << make<CSaveAllDialog>() << "Save All Active Curves Dialog"
                              << QSize(186, 92)
                              << QStringList{"La courbe", "est ouverte dans une autre ",
                                             "fenêtre. Voulez-vous la ", "sauvegarder ou non?"}
                              << QStringList{"OK", "Cancel"};
    QTest::newRow("save all, file just written")
        << make<CSaveAllDialog>(nullptr, SaveAllReason::AlreadyWritten)
        << "Save All Active Curves Dialog" << QSize(186, 92)
        << QStringList{"La courbe", "remplacerait le fichier ", "qu'une autre courbe vient ",
                       "d'écrire. Voulez-vous la ", "sauvegarder ou non?"}
        << QStringList{"OK", "Cancel"};
    QTest::newRow("closing")
        << make<CClosingWindowDialog>() << "Closing Window Dialog" << QSize(186, 92)
        << QStringList{"Voulez-vous enregistrer les courbes actives de cette fenêtre avant "
                       "sa fermeture?"}
        << QStringList{"OK", "NO"};
    QTest::newRow("script messages") << make<CScriptMessagesDialog>() << "Script Messages Dialog"
                                     << QSize(186, 92) << QStringList{} << QStringList{"OK"};
    QTest::newRow("sampling count")
        << make<CSamplingCountDialog>() << "Number of Sampling Points Dialog" << QSize(186, 95)
        << QStringList{"Entrez un entier compris entre 16 et 4096"} << QStringList{"OK", "Cancel"};
    QTest::newRow("tangent length")
        << make<CTangentLengthDialog>() << "Tangent Length Dialog" << QSize(186, 92)
        << QStringList{"Entrez un entier entre 5 et 25"} << QStringList{"OK", "Cancel"};
}

void DialogsTest::templates()
{
    QFETCH(DialogFactory, factory);
    QFETCH(QSize, size);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, buttons);
    const auto dialog = factory();
    QTEST(dialog->windowTitle(), "title");
    QCOMPARE(dialog->size(), dialog->units().size(size.width(), size.height()));
    QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
    QCOMPARE(labelTexts(*dialog), texts);
    QStringList shownButtons;
    const auto pushButtons = dialog->findChildren<QPushButton *>();
    for (const QPushButton *pushButton : pushButtons)
        shownButtons << pushButton->text();
    QCOMPARE(shownButtons, buttons);
    // OK is the default button and closes with Accepted; the other one with
    // its identifier, Escape with Rejected.
    QVERIFY(button(*dialog, QStringLiteral("OK"))->isDefault());
    if (auto *integer = qobject_cast<CIntegerDialog *>(dialog.get()))
        integer->reportInvalid = [](const QString &) {};
    dialog->show();
    QCOMPARE(unnamedControls(dialog.get(), QTest::currentDataTag()), QStringList());
    button(*dialog, QStringLiteral("OK"))->click();
    if (qobject_cast<CIntegerDialog *>(dialog.get()) == nullptr)
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    if (buttons.size() > 1) {
        dialog->show();
        button(*dialog, buttons.at(1))->click();
        QCOMPARE(dialog->result(), TemplateDialog::kCancel);
    }
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!dialog->isVisible());
}

void DialogsTest::placesControlsAtTemplatePositions()
{
    CClosingWindowDialog closing;
    const DialogUnits &units = closing.units();
    QCOMPARE(button(closing, QStringLiteral("OK"))->geometry(), units.rect(121, 26, 50, 14));
    QCOMPARE(button(closing, QStringLiteral("NO"))->geometry(), units.rect(122, 53, 50, 14));
    QCOMPARE(closing.findChild<QLabel *>()->geometry(), units.rect(13, 25, 89, 30));

    CScriptMessagesDialog script;
    script.setMessage(QStringLiteral("Erreur de syntaxe"));
    QCOMPARE(script.findChild<QLabel *>(QStringLiteral("message"))->text(),
             QStringLiteral("Erreur de syntaxe"));
    QCOMPARE(script.findChild<QLabel *>(QStringLiteral("message"))->geometry(),
             units.rect(21, 24, 92, 45));
    QCOMPARE(button(script, QStringLiteral("OK"))->geometry(), units.rect(123, 39, 50, 14));

    CAboutDialog about;
    QCOMPARE(button(about, QStringLiteral("OK"))->geometry(), units.rect(178, 7, 32, 14));
    const QLabel *icon = about.findChild<QLabel *>(QStringLiteral("applicationIcon"));
    QVERIFY(icon && !icon->pixmap().isNull());
    QCOMPARE(icon->pos(), QPoint(units.x(11), units.y(17)));

    CSaveAllDialog saveAll;
    saveAll.setCurveName(QStringLiteral("C1+C2"));
    QCOMPARE(saveAll.curveName(), QStringLiteral("C1+C2"));
    QVERIFY(labelTexts(saveAll).contains(QStringLiteral("C1+C2")));
}

void DialogsTest::textsShowWhole_data()
{
    templates_data();
}

// Regression: the closing question's last word showed cut in half. Every
// text shows whole in the dialog font and in larger ones, as desktops with
// larger default fonts or a face wider than the one the templates were
// drawn for give; the dialog keeps its template size while its texts fit.
void DialogsTest::textsShowWhole()
{
    QFETCH(DialogFactory, factory);
    QFETCH(QSize, size);
    for (int points : {8, 10, 12, 16}) {
        const auto dialog = factory();
        QFont font = dialogFont();
        font.setPointSize(points);
        dialog->setFont(font);
        if (auto *saveAll = qobject_cast<CSaveAllDialog *>(dialog.get()))
            saveAll->setCurveName(QStringLiteral("moyenne des courbes 1 et 2"));
        if (auto *script = qobject_cast<CScriptMessagesDialog *>(dialog.get()))
            script->setMessage(QStringLiteral("Erreur de syntaxe : une parenthèse est attendue"));
        dialog->show();
        const auto children = dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (const QWidget *child : children) {
            const QRect box = child->geometry();
            const QString what = QStringLiteral("%1 pt, %2").arg(points).arg(child->objectName());
            QVERIFY2(dialog->rect().contains(box), qPrintable(what));
            for (const QWidget *other : children)
                QVERIFY2(other == child || !other->geometry().intersects(box), qPrintable(what));
            const auto *label = qobject_cast<const QLabel *>(child);
            if (!label || label->text().isEmpty())
                continue;
            const QString text = label->text();
            QVERIFY2(label->heightForWidth(box.width()) <= box.height() + 1, qPrintable(text));
            const QFontMetrics metrics(label->font());
            for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QVERIFY2(metrics.horizontalAdvance(word) <= box.width(), qPrintable(word));
        }
        if (points == dialogFont().pointSize())
            QCOMPARE(dialog->size(), dialog->units().size(size.width(), size.height()));
    }
}

void DialogsTest::integerDialogs_data()
{
    QTest::addColumn<bool>("sampling");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("refusal");
    const QString samplingRange = QStringLiteral("Entrez un entier compris entre 16 et 4096.");
    const QString tangentRange = QStringLiteral("Entrez un entier compris entre 5 et 25.");
    QTest::newRow("sampling: initial 5 refused") << true << QString() << false << samplingRange;
    QTest::newRow("sampling: 15 refused") << true << "15" << false << samplingRange;
    QTest::newRow("sampling: 16 accepted") << true << "16" << true << QString();
    QTest::newRow("sampling: 4096 accepted") << true << "4096" << true << QString();
    QTest::newRow("sampling: 4097 refused") << true << "4097" << false << samplingRange;
    QTest::newRow("sampling: huge refused")
        << true << "99999999999999999999" << false << samplingRange;
    QTest::newRow("sampling: empty refused") << true << "" << false << QString("Entrez un entier.");
    QTest::newRow("tangent: initial 15 accepted") << false << QString() << true << QString();
    QTest::newRow("tangent: 4 refused") << false << "4" << false << tangentRange;
    QTest::newRow("tangent: 5 accepted") << false << "5" << true << QString();
    QTest::newRow("tangent: 25 accepted") << false << "25" << true << QString();
    QTest::newRow("tangent: 26 refused") << false << "26" << false << tangentRange;
}

void DialogsTest::integerDialogs()
{
    QFETCH(bool, sampling);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, refusal);
    std::unique_ptr<CIntegerDialog> dialog;
    if (sampling)
        dialog = std::make_unique<CSamplingCountDialog>();
    else
        dialog = std::make_unique<CTangentLengthDialog>();
    QCOMPARE(dialog->edit()->text(), sampling ? QStringLiteral("5") : QStringLiteral("15"));
    QCOMPARE(dialog->edit()->objectName(),
             sampling ? QStringLiteral("1043") : QStringLiteral("1064"));
    QStringList reported;
    dialog->reportInvalid = [&](const QString &message) { reported << message; };
    dialog->show();
    if (!typed.isNull())
        dialog->edit()->setText(typed);
    button(*dialog, QStringLiteral("OK"))->click();
    QCOMPARE(dialog->isVisible(), !accepted);
    QCOMPARE(reported.isEmpty(), accepted);
    if (accepted) {
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(dialog->value(), dialog->edit()->text().toInt());
    } else {
        QCOMPARE(reported, QStringList{refusal});
        QCOMPARE(dialog->edit()->selectedText(), dialog->edit()->text());
        // A refusal leaves the dialog usable: a good value then closes it.
        dialog->edit()->setText(sampling ? QStringLiteral("64") : QStringLiteral("20"));
        button(*dialog, QStringLiteral("OK"))->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->value(), sampling ? 64 : 20);
    }
}

void DialogsTest::integerEditTakesDigitsOnly()
{
    CTangentLengthDialog dialog;
    dialog.show();
    dialog.edit()->clear();
    QTest::keyClicks(dialog.edit(), QStringLiteral("1a-2 "));
    QCOMPARE(dialog.edit()->text(), QStringLiteral("12"));
}

void DialogsTest::qtPromptsReturnTheAnswer()
{
    QtPrompts prompts;
    click(QStringLiteral("OK"));
    QVERIFY(prompts.confirmReadOnly());
    click(QStringLiteral("Annuler"));
    QVERIFY(!prompts.confirmReadOnly());
    click(QStringLiteral("NO"));
    QCOMPARE(prompts.askClosingWindow(), ClosingAnswer::Discard);
    whenModal([](QWidget &dialog) {
        QVERIFY(labelTexts(dialog).contains(QStringLiteral("c")));
        button(dialog, QStringLiteral("Cancel"))->click();
    });
    QVERIFY(!prompts.confirmSaveAll(QStringLiteral("c"), SaveAllReason::OpenElsewhere));
    whenModal([](QWidget &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
    QCOMPARE(prompts.askClosingWindow(), ClosingAnswer::KeepOpen);
    whenModal([](QWidget &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Script Messages Dialog"));
        QVERIFY(labelTexts(dialog).contains(QStringLiteral("Division par zéro")));
        button(dialog, QStringLiteral("OK"))->click();
    });
    prompts.showScriptMessage(QStringLiteral("Division par zéro"));
    whenModal([](QWidget &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("A propos de Tolvane"));
        button(dialog, QStringLiteral("OK"))->click();
    });
    prompts.showAbout();
    // Escape does not answer the recovery question: ignoring deletes the copies.
    whenModal([](QWidget &dialog) {
        QVERIFY(labelTexts(dialog).join('\n').contains(
            QStringLiteral("• wave, ramp — modifiée le 3 mars 2026 à 14:05:09")));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    const QDateTime changed(QDate(2026, 3, 3), QTime(14, 5, 9));
    QVERIFY(prompts.confirmRecovery({{{QStringLiteral("wave"), QStringLiteral("ramp")}, changed}}));
    click(QStringLiteral("Ignorer"));
    QVERIFY(!prompts.confirmRecovery({{{}, changed}}));
}

void DialogsTest::qtPromptsIntegerAnswers()
{
    QtPrompts prompts;
    whenModal([](QWidget &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>();
        edit->setText(QStringLiteral("128"));
        button(dialog, QStringLiteral("OK"))->click();
    });
    QCOMPARE(prompts.askSamplingCount(), std::optional<int>(128));
    click(QStringLiteral("Cancel"));
    QCOMPARE(prompts.askTangentLength(), std::nullopt);
    click(QStringLiteral("OK"));
    QCOMPARE(prompts.askTangentLength(), std::optional<int>(15));
}

void DialogsTest::helpers()
{
    QCOMPARE(colourValue(QColor(1, 2, 3)), Colour(0x030201));
    QCOMPARE(colourValue(Qt::red), Colour(255));
    FileDialogRequest request{QStringLiteral("Curve1 Open"),
                              QStringLiteral("curve files (*.crv)"),
                              QStringLiteral("*.crv"),
                              {},
                              {}};
    QCOMPARE(fileDialogFilter(request), QStringLiteral("curve files (*.crv)"));
    request.filterName = QStringLiteral("curve files");
    QCOMPARE(fileDialogFilter(request), QStringLiteral("curve files (*.crv)"));
    QCOMPARE(fileDialogFilter(FileDialogRequest{}), QStringLiteral("Tous les fichiers (*)"));
}

// Bare file names then resolve in the folder of the chosen file.
void DialogsTest::fileChoiceMovesTheCurrentDirectory()
{
    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    ScriptedPrompts prompts;
    prompts.chooseFile(folder.filePath(QStringLiteral("my.curve.crv")));
    const auto choice = prompts.openFile({});
    QVERIFY(choice);
    QCOMPARE(choice->fileTitle(), QStringLiteral("my.curve"));
    QCOMPARE(choice->fileName(), QStringLiteral("my.curve.crv"));
    QCOMPARE(QDir::current(), QDir(folder.path()));
    prompts.pressCancel();
    QVERIFY(!prompts.saveFile({}));
    QCOMPARE(QDir::current(), QDir(folder.path()));
    QVERIFY(prompts.mismatches.isEmpty());
    QDir::setCurrent(previous);
}

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
