// An editor killed in the middle of its work gives its curves back at the
// next start.
#include "curves/crv_format.h"
#include "curves/curve_file_io.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"
#include "view/view_options.h"

#include <QApplication>
#include <QProcess>

using namespace ombrelis;

class RecoveryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void killedEditorIsRecoveredByteForByte();
};

void RecoveryTest::killedEditorIsRecoveredByteForByte()
{
    ShellFixture shell;
    const QString examples = qEnvironmentVariable("OMBRELIS_EXAMPLES");
    const QString wave = shell.folder.filePath(QStringLiteral("wave.crv"));
    QVERIFY(QFile::copy(examples + QStringLiteral("/wave.crv"), wave));

    // Another editor opens the file, samples it at 256 points, and is killed
    // once its recovery copy is on disk.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), shell.folder.filePath("config"));
    environment.insert(QStringLiteral("OMBRELIS_TEST_COMMANDS"), QString::number(cmd::Sampling256));
    QProcess editor;
    editor.setProcessEnvironment(environment);
    editor.start(QStringLiteral(OMBRELIS_EDITOR), {wave});
    QVERIFY(editor.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!shell.recoveryCopies().isEmpty(), 20000);
    editor.kill();  // SIGKILL
    QVERIFY(editor.waitForFinished());
    QCOMPARE(editor.exitStatus(), QProcess::CrashExit);

    shell.prompts.pressOk();  // "Récupérer"
    QVERIFY(shell.start());
    QCOMPARE(shell.prompts.count(ScriptedPrompts::Kind::Recovery), 1);
    QCOMPARE(shell.prompts.asked.first().detail, wave.chopped(4));
    QCOMPARE(shell.windows().size(), 2);  // the new empty window, then the recovered one
    QCOMPARE(shell.activeFrame()->windowTitle(), QStringLiteral("wave.crv"));
    QCOMPARE(shell.frame().activeView()->store().currentCurve, 2);
    QVERIFY(shell.frame().runCommand(cmd::Curve3Save));

    // Saved into the original file, the bytes the killed editor would have saved.
    auto expected = std::make_unique<CurveStore>();
    QVERIFY(readCurveFile(*expected, 2, examples + QStringLiteral("/wave.crv"),
                          CurveFileNames::ofBaseName("wave"), nullptr));
    applySamplingCount(*expected, 4, kSamplingPresets[4]);
    expected->resampleDrawnCurves();
    QFile saved(wave);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toStdString(), formatCurveFile(expected->slots()[2]));
    // Offered once: the copy now belongs to this editor's session.
    const QStringList copies = shell.recoveryCopies();
    QCOMPARE(copies.size(), 1);
    QVERIFY(copies.first().contains(QStringLiteral("/%1-").arg(QApplication::applicationPid())));
    QVERIFY2(shell.prompts.mismatches.isEmpty(), qPrintable(shell.prompts.mismatches.join('\n')));
    // A normal exit leaves nothing behind.
    shell.app.reset();
    QVERIFY(QDir(shell.stateHome.filePath(QStringLiteral("ombrelis/recovery"))).isEmpty());
}

QTEST_MAIN(RecoveryTest)
#include "test_recovery.moc"
