// The editor as a desktop program: Qt's own dialogs in French, the command line.
#include "app/app_icons.h"
#include "app/command_line.h"
#include "app/qt_prompts.h"
#include "app/qt_translations.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

using namespace ombrelis;

class DesktopTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Before the file dialog's first settings: Qt keeps the settings
        // folders it found first, and the user's own must stay untouched.
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(installQtFrenchTranslations(*QCoreApplication::instance()));
    }
    void openDialogSpeaksFrench();
    void commandLine_data();
    void commandLine();
    void everyNamedFileOpensInOrder();
    void windowIconIsTheInstalledSvg();
    void applicationIconRendersOnlyWhatIsAsked_data();
    void applicationIconRendersOnlyWhatIsAsked();
    void aboutButtonDrawsTheFontsQuestionMark();
};

void DesktopTest::openDialogSpeaksFrench()
{
    QStringList buttons, labels;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (const QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            buttons << button->text().remove(QLatin1Char('&'));
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            labels << label->text().remove(QLatin1Char('&'));
        dialog->reject();
    });
    QtPrompts prompts;
    FileDialogRequest request;
    request.title = QStringLiteral("Ouvrir");
    QVERIFY(!prompts.openFile(request));
    QCOMPARE(buttons, (QStringList{QStringLiteral("Ouvrir"), QStringLiteral("Annuler")}));
    QVERIFY2(labels.contains(QStringLiteral("Voir dans :")), qPrintable(labels.join(u'|')));
    QVERIFY2(labels.contains(QStringLiteral("Nom de fichier :")), qPrintable(labels.join(u'|')));
}

void DesktopTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("message");  // a part of the text printed instead of starting
    QTest::addColumn<bool>("failed");
    const QString a = QStringLiteral("a.crv"), b = QStringLiteral("b.crv");
    QTest::newRow("no file") << QStringList{} << QStringList{} << QString() << false;
    QTest::newRow("files in order") << QStringList{b, a} << QStringList{b, a} << QString() << false;
    QTest::newRow("a file named like an option")
        << QStringList{a, QStringLiteral("--"), QStringLiteral("-x.crv")}
        << QStringList{a, QStringLiteral("-x.crv")} << QString() << false;
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << QStringList{}
                             << QStringLiteral("ombrelis 1.1\n") << false;
    QTest::newRow("help in French") << QStringList{QStringLiteral("--help"), a} << QStringList{}
                                    << QStringLiteral("Affiche cette aide") << false;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--vite")} << QStringList{}
                                    << QStringLiteral("Option inconnue") << true;
}

void DesktopTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QFETCH(QString, message);
    QFETCH(bool, failed);
    EditorCommandLine parsed;
    QString error;
    const QStringList words = QStringList{QStringLiteral("ombrelis")} + arguments;
    const bool understood = parseEditorCommandLine(words, &parsed, &error);
    const QString printed = understood ? parsed.message : error;
    QCOMPARE(parsed.files, files);
    QVERIFY2(message.isEmpty() ? printed.isEmpty() : printed.contains(message),
             qPrintable(printed));
    QCOMPARE(!understood, failed);
}

void DesktopTest::everyNamedFileOpensInOrder()
{
    ShellFixture shell;
    shell.curveFile(QStringLiteral("a.crv"));
    shell.curveFile(QStringLiteral("b.crv"));
    QVERIFY(shell.start({QStringLiteral("b.crv"), QStringLiteral("a.crv")}));
    QCOMPARE(shell.windows().size(), 2);
    QCOMPARE(shell.windows().at(0)->windowTitle(), QStringLiteral("b.crv"));
    QCOMPARE(shell.activeFrame()->windowTitle(), QStringLiteral("a.crv"));

    // A file that cannot be opened fails the start-up, as a single one does.
    shell.app.reset();
    QVERIFY(!shell.start({QStringLiteral("a.crv"), QStringLiteral("nowhere.crv")}));
    QCOMPARE(shell.prompts.count(ScriptedPrompts::Kind::Error), 1);
}

void DesktopTest::windowIconIsTheInstalledSvg()
{
    QVERIFY(QFile::exists(QStringLiteral(":/icons/ombrelis.svg")));
    const QImage icon = applicationIcon().pixmap(48, 48).toImage();
    QCOMPARE(icon.size(), QSize(48, 48));
    // Transparent corners (the SVG's rounded frame) around an opaque drawing.
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(icon.pixelColor(24, 40).alpha(), 255);
}

void DesktopTest::applicationIconRendersOnlyWhatIsAsked_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QIcon::Mode>("mode");
    for (const QSize size : {QSize(16, 16), QSize(20, 20), QSize(48, 48), QSize(16, 15),
                             QSize(100, 60), QSize(200, 200), QSize(0, 0)}) {
        const QByteArray name =
            QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
        QTest::newRow(name) << size << QIcon::Normal;
        QTest::newRow(name + " disabled") << size << QIcon::Disabled;
    }
}

// The icon that renders its sizes on demand answers as the one holding them all.
void DesktopTest::applicationIconRendersOnlyWhatIsAsked()
{
    QFETCH(QSize, size);
    QFETCH(QIcon::Mode, mode);
    const QIcon lazy = applicationIcon(), full = renderedApplicationIcon();
    QCOMPARE(lazy.availableSizes(), full.availableSizes());
    QCOMPARE(lazy.actualSize(size, mode), full.actualSize(size, mode));
    QCOMPARE(lazy.pixmap(size, mode).toImage(), full.pixmap(size, mode).toImage());
}

// The About button's "?" is the outline of the DejaVu Sans Bold glyph.
void DesktopTest::aboutButtonDrawsTheFontsQuestionMark()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    if (QFontInfo(font).family() != font.family() || !QFontInfo(font).bold())
        QSKIP("DejaVu Sans Bold is not installed");
    QImage expected(kToolbarButtonWidth, kToolbarButtonHeight, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawEllipse(QRectF(1, 0, 14, 14));
    QPainterPath mark;
    mark.addText(QPointF(4.5, 11.5), font, QStringLiteral("?"));
    painter.setBrush(Qt::white);
    painter.drawPath(mark);
    painter.end();
    const QImage drawn = toolbarIcon(cmd::AppAbout).pixmap(expected.size()).toImage();
    QCOMPARE(drawn.convertToFormat(expected.format()), expected);
}

QTEST_MAIN(DesktopTest)
#include "test_desktop.moc"
