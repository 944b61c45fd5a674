// The per-curve file commands, Save All and the closing question, run
// through the editor's commands with scripted answers in temporary folders.
#include "cli/cli_commands.h"
#include "curves/crv_format.h"
#include "file_size_limit.h"
#include "framework/command_ids.h"
#include "geometry/sampler.h"
#include "script/script_run.h"
#include "shell_fixture.h"
#include "test_support.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>

#include <sstream>

using namespace ombrelis;

Q_DECLARE_METATYPE(ClosingAnswer)

namespace {

using Kind = ScriptedPrompts::Kind;

constexpr int kOpen[] = {cmd::Curve1Open, cmd::Curve2Open, cmd::Curve3Open, cmd::Curve4Open};
constexpr int kSave[] = {cmd::Curve1Save, cmd::Curve2Save, cmd::Curve3Save, cmd::Curve4Save};
constexpr int kSaveAs[] = {cmd::Curve1SaveAs, cmd::Curve2SaveAs, cmd::Curve3SaveAs,
                           cmd::Curve4SaveAs};

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray bytesOf(const CurveSlot &slot)
{
    return QByteArray::fromStdString(formatCurveFile(slot));
}

// Makes `slot` an active curve of that name with two samples.
void giveCurve(CurveSlot &slot, const char *name, const char *xLegend = "X")
{
    slot.name = name;
    slot.xLegend = xLegend;
    slot.active = true;
    slot.sampleCount = 2;
    slot.samples[0] = {0, 0};
    slot.startTangents[0] = {-10, 0};
    slot.endTangents[0] = {10, 0};
    slot.samples[1] = {1000, 500};
    slot.startTangents[1] = {990, 500};
    slot.endTangents[1] = {1010, 500};
    sampleCurve(slot);  // as a paint would have
}

QStringList details(const ScriptedPrompts &prompts, Kind kind)
{
    QStringList found;
    for (const auto &question : prompts.asked) {
        if (question.kind == kind)
            found << question.detail;
    }
    return found;
}

}  // namespace

class CurveFilesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void openTitlesTheWindow();
    void unreadableFileLeavesTheSlot();
    void saveWritesTheFileNameForm();
    void readOnlySave_data();
    void readOnlySave();
    void saveAsMovesTheCurrentCurve_data();
    void saveAsMovesTheCurrentCurve();
    void eachCurveSavesToItsOwnFolder();
    void failedWriteKeepsTheOldBytes();
    void examplesSaveAsTheyAre_data();
    void examplesSaveAsTheyAre();
    void saveAllAsksAboutNamesOpenElsewhere();
    void closingAsks_data();
    void closingAsks();
    void closingKeysAndQuit();
    void roundTripMatchesTheBatchTool();
    void axesButtonFollowsTheActiveView();

private:
    CMainFrame &frame() const { return shell->frame(); }
    CurveStore &store() const { return frame().activeView()->store(); }
    QString title() const { return shell->activeFrame()->document()->title(); }
    QString path(const QString &name) const { return shell->folder.filePath(name); }
    void open(int slot, const QString &file)
    {
        shell->prompts.chooseFile(file);
        QVERIFY(frame().runCommand(kOpen[slot]));
    }

    std::unique_ptr<ShellFixture> shell;
};

void CurveFilesTest::init()
{
    shell = std::make_unique<ShellFixture>();
    QVERIFY(shell->start());
}

void CurveFilesTest::cleanup()
{
    QVERIFY2(shell->prompts.mismatches.isEmpty(), qPrintable(shell->prompts.mismatches.join('\n')));
    QCOMPARE(shell->prompts.unusedAnswers(), 0);
    shell.reset();
}

void CurveFilesTest::openTitlesTheWindow()
{
    open(0, shell->curveFile(QStringLiteral("a.crv")));
    QCOMPARE(title(), QStringLiteral("a - "));
    open(1, shell->curveFile(QStringLiteral("b.crv")));
    QCOMPARE(title(), QStringLiteral("b - a - "));
    QCOMPARE(details(shell->prompts, Kind::OpenFile), (QStringList{"Curve1 Open", "Curve2 Open"}));
    QCOMPARE(store().currentCurve, 1);
    QCOMPARE(frame().barFields().display.curveNames[0], "a");
    QCOMPARE(frame().barFields().display.curveNames[1], "b");

    // A write-protected file loads, marked in the title.
    const QString locked = shell->curveFile(QStringLiteral("c.crv"));
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    open(2, locked);
    QCOMPARE(title(), QStringLiteral("c (Lecture seule) - b - a - "));
    QCOMPARE(store().slots()[2].sampleCount, 2);

    // Another extension: the .crv of the same title is read.
    shell->writeFile(QStringLiteral("d.crv"), "Xd\n0\n1000\nY\n0\n1000\n0\n0\n4\n");
    open(3, shell->writeFile(QStringLiteral("d.txt"), "nothing"));
    QCOMPARE(store().slots()[3].xLegend, "Xd");
    QCOMPARE(store().slots()[3].name, "d");
    QCOMPARE(title(), QStringLiteral("d - c (Lecture seule) - b - a - "));
    QCOMPARE(shell->app->recentFiles().entries().size(), 4);
    QCOMPARE(shell->app->recentFiles().entries().first(),
             QFileInfo(path("d.txt")).absoluteFilePath());
    QCOMPARE(shell->app->recentFiles().entries().last(),
             QFileInfo(path("a.crv")).absoluteFilePath());
    // It announces four points and ends: loaded as read, and the user is told,
    // also when it opens as a document.
    const QString fault =
        QStringLiteral("Fichier de courbe incomplet « %1 » : il s'arrête avant le "
                       "point échantillonné 1 sur 4 ; ce qui manque est lu "
                       "comme vide ou nul.");
    QVERIFY(shell->app->openDocumentFile(path("d.crv")));
    QCOMPARE(
        details(shell->prompts, Kind::Error),
        (QStringList{fault.arg("d.crv"), fault.arg(QFileInfo(path("d.crv")).absoluteFilePath())}));
}

// The steps before the read stay done; the slot keeps what it held, and the
// bars show it.
void CurveFilesTest::unreadableFileLeavesTheSlot()
{
    shell->writeFile(QStringLiteral("e.txt"), "no .crv beside it");
    shell->writeFile(QStringLiteral("big.crv"), "X\n0\n1000\nY\n0\n1000\n17\n");
    struct Row {
        const char *chosen;
        const char *message;
    };
    const Row rows[] = {
        {"e.txt", "fichier introuvable"},
        {"big.crv", "17"},
    };
    int errors = 0;
    for (const Row &row : rows) {
        open(1, path(QString::fromUtf8(row.chosen)));
        const auto messages = details(shell->prompts, Kind::Error);
        QCOMPARE(messages.size(), ++errors);
        QVERIFY2(messages.last().contains(QString::fromUtf8(row.message)),
                 qPrintable(messages.last()));
        QCOMPARE(store().slots()[1].name, "");
        QCOMPARE(store().slots()[1].folder, "");
        QCOMPARE(frame().barFields().display.curveNames[1], "");
        QCOMPARE(store().currentCurve, 0);
        QVERIFY(store().slots()[1].active);
    }
    QVERIFY(details(shell->prompts, Kind::Error)
                .first()
                .contains(QFileInfo(path("e.crv")).absoluteFilePath()));
    QCOMPARE(title(), QStringLiteral("big - e (Lecture seule) - "));
    QVERIFY(shell->app->recentFiles().entries().isEmpty());
}

void CurveFilesTest::saveWritesTheFileNameForm()
{
    editSlot(store(), 0, [&](CurveSlot &c) { giveCurve(c, "x-y"); });
    editSlot(store(), 1,
             [&](CurveSlot &c) { c.active = true; });  // active but unnamed: nothing to save
    QVERIFY(frame().runCommand(kSave[0]));
    QVERIFY(frame().runCommand(kSave[1]));
    QCOMPARE(contentOf(path("x_sub_y.crv")), bytesOf(store().slots()[0]));
    QCOMPARE(QDir(shell->folder.path()).entryList(QDir::Files), QStringList{"x_sub_y.crv"});
    QVERIFY(shell->prompts.asked.isEmpty());
    QCOMPARE(title(), QStringLiteral("Untitled"));
}

void CurveFilesTest::readOnlySave_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("saveElsewhere");
    QTest::newRow("Annuler ends") << 1 << false;
    QTest::newRow("OK names the curve anew") << 1 << true;
    QTest::newRow("OK moves the current curve first") << 0 << true;
}

void CurveFilesTest::readOnlySave()
{
    QFETCH(int, current);
    QFETCH(bool, saveElsewhere);
    const QString locked = shell->writeFile(QStringLiteral("ro.crv"), "old");
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    editSlot(store(), 0, [&](CurveSlot &c) { giveCurve(c, "first", "X1"); });
    editSlot(store(), 1, [&](CurveSlot &c) { giveCurve(c, "ro", "X2"); });
    store().currentCurve = current;
    const QByteArray expected = bytesOf(store().slots()[current]);
    if (saveElsewhere) {
        shell->prompts.pressOk();
        shell->prompts.chooseFile(path("new.crv"));
    } else {
        shell->prompts.pressCancel();
    }
    QVERIFY(frame().runCommand(kSave[1]));
    QCOMPARE(contentOf(locked), QByteArray("old"));
    QCOMPARE(shell->prompts.count(Kind::ReadOnly), 1);
    QCOMPARE(details(shell->prompts, Kind::SaveFile),
             saveElsewhere ? QStringList{"Curve2 New/SaveAs"} : QStringList{});
    if (!saveElsewhere)
        return;
    QCOMPARE(contentOf(path("new.crv")), expected);
    QCOMPARE(store().slots()[1].name, "new");
    QCOMPARE(store().currentCurve, 1);
    QCOMPARE(store().slots()[0].name, current == 0 ? "" : "first");
    QCOMPARE(title(), QStringLiteral("new - "));
}

void CurveFilesTest::saveAsMovesTheCurrentCurve_data()
{
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("cancelled: the move stays") << true;
    QTest::newRow("named") << false;
}

void CurveFilesTest::saveAsMovesTheCurrentCurve()
{
    QFETCH(bool, cancelled);
    editSlot(store(), 0, [&](CurveSlot &c) {
        giveCurve(c, "moved", "Xm");
        c.folder = "/nowhere";
    });
    const QByteArray before = bytesOf(store().slots()[0]);
    if (cancelled)
        shell->prompts.pressCancel();
    else
        shell->prompts.chooseFile(path("named.crv"));
    QVERIFY(frame().runCommand(kSaveAs[1]));
    QCOMPARE(shell->prompts.count(Kind::SaveFile), 1);
    const CurveSlot &moved = store().slots()[1];
    QCOMPARE(moved.xLegend, "Xm");
    QCOMPARE(store().slots()[0].name, "");
    QVERIFY(!store().slots()[0].active);
    QVERIFY(shell->app->recentFiles().entries().isEmpty());
    if (cancelled) {
        QCOMPARE(store().currentCurve, 0);
        QCOMPARE(moved.name, "moved");
        QCOMPARE(moved.folder, "/nowhere");
        QCOMPARE(title(), QStringLiteral("Untitled"));
        return;
    }
    QCOMPARE(store().currentCurve, 1);
    QCOMPARE(moved.name, "named");
    QCOMPARE(QString::fromStdString(moved.folder), shell->folder.path());
    QVERIFY(moved.active);
    QCOMPARE(contentOf(path("named.crv")), before);
    QCOMPARE(frame().barFields().display.curveNames[1], "named");
    QCOMPARE(frame().barFields().display.selectedCurve, 1);
    QCOMPARE(title(), QStringLiteral("named - "));
}

// Two files of the same name in two folders: each curve goes back to its
// own, whichever folder the last dialog chose. A curve opened as a document
// keeps its folder too, and a script result has none.
void CurveFilesTest::eachCurveSavesToItsOwnFolder()
{
    QDir(shell->folder.path()).mkpath(QStringLiteral("one/sub"));
    QDir(shell->folder.path()).mkpath(QStringLiteral("two"));
    const QString first =
        shell->writeFile(QStringLiteral("one/x.crv"), "X1\n0\n1000\nY\n0\n1000\n0\n0\n2\n");
    const QString second =
        shell->writeFile(QStringLiteral("two/x.crv"), "X2\n0\n1000\nY\n0\n1000\n0\n0\n2\n");
    open(0, first);
    open(1, second);
    QCOMPARE(QDir::current(), QDir(path("two")));
    const QByteArray secondBefore = contentOf(second);
    editSlot(store(), 0, [&](CurveSlot &c) { c.xLegend = "changed"; });
    QVERIFY(frame().runCommand(kSave[0]));
    QCOMPARE(contentOf(first), bytesOf(store().slots()[0]));
    QVERIFY(contentOf(first).contains("changed"));
    QCOMPARE(contentOf(second), secondBefore);

    // The folder moves with the curve into another slot.
    shell->prompts.pressCancel();
    store().currentCurve = 0;
    QVERIFY(frame().runCommand(kSaveAs[3]));
    QVERIFY(frame().runCommand(kSave[3]));
    QCOMPARE(contentOf(first), bytesOf(store().slots()[3]));

    editSlot(store(), 0, [&](CurveSlot &c) { c.folder = "/nowhere"; });
    runScript(store(), "C1=C2+1");
    QCOMPARE(store().slots()[0].name, "C2+1");
    QCOMPARE(store().slots()[0].folder, "");
    QVERIFY(frame().runCommand(kSave[0]));
    QVERIFY(QFile::exists(path("two/C2_add_1.crv")));

    const QString document = shell->writeFile(QStringLiteral("one/sub/my-doc.crv"),
                                              "Xd\n0\n1000\nY\n0\n1000\n0\n0\n2\n");
    QVERIFY(shell->app->openDocumentFile(document));
    editSlot(store(), 2, [&](CurveSlot &c) { c.xLegend = "document"; });
    QVERIFY(frame().runCommand(kSave[2]));
    QVERIFY(contentOf(path("one/sub/my_sub_doc.crv")).contains("document"));
}

// A write that fails midway is reported with the file and the reason, the
// old bytes stay, and Save All goes on with the next curve.
void CurveFilesTest::examplesSaveAsTheyAre_data()
{
    QTest::addColumn<QString>("example");
    const QDir examples(qEnvironmentVariable("OMBRELIS_EXAMPLES"));
    const auto files = examples.entryInfoList({QStringLiteral("*.crv")}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QFileInfo &file : files)
        QTest::newRow(qPrintable(file.fileName())) << file.absoluteFilePath();
}

// The examples are what the editor writes: opened, shown and saved, each
// gives its own bytes back. OMBRELIS_WRITE_EXAMPLES=1 writes the saved bytes
// over the examples.
void CurveFilesTest::examplesSaveAsTheyAre()
{
    QFETCH(QString, example);
    const QByteArray original = contentOf(example);
    const QString copy = shell->writeFile(QFileInfo(example).fileName(), original);
    QVERIFY(shell->app->openDocumentFile(copy));
    shell->activeFrame()->view()->grab();  // shown before it is saved
    QVERIFY(frame().runCommand(cmd::Curve3Save));
    const QByteArray saved = contentOf(copy);
    if (qEnvironmentVariableIsSet("OMBRELIS_WRITE_EXAMPLES")) {
        QFile rewritten(example);
        QVERIFY(rewritten.open(QIODevice::WriteOnly) && rewritten.write(saved) == saved.size());
        return;
    }
    QCOMPARE(saved, original);
}

void CurveFilesTest::failedWriteKeepsTheOldBytes()
{
    open(0, shell->curveFile(QStringLiteral("a.crv")));
    open(1, shell->curveFile(QStringLiteral("b.crv")));
    const QByteArray before = contentOf(path("a.crv"));
    editSlot(store(), 0,
             [&](CurveSlot &c) { c.samplingCount = 4096; });  // far beyond the limit below
    editSlot(store(), 1, [&](CurveSlot &c) { c.samplingCount = 4096; });
    {
        const FileSizeLimit limit(1000);
        QVERIFY(frame().runCommand(cmd::SaveAll));
    }
    const QStringList errors = details(shell->prompts, Kind::Error);
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors.first().contains(QFileInfo(path("a.crv")).absoluteFilePath()),
             qPrintable(errors.first()));
    QCOMPARE(contentOf(path("a.crv")), before);
    QCOMPARE(QDir(shell->folder.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"a.crv", "b.crv"}));
}

void CurveFilesTest::saveAllAsksAboutNamesOpenElsewhere()
{
    CChildFrame *mine = shell->activeFrame();
    CurveStore &curves = mine->view()->store();
    editSlot(curves, 0, [&](CurveSlot &c) { giveCurve(c, "c"); });
    editSlot(curves, 1, [&](CurveSlot &c) { giveCurve(c, "d"); });
    editSlot(curves, 2, [&](CurveSlot &c) { giveCurve(c, "e"); });
    editSlot(curves, 3, [&](CurveSlot &c) {
        giveCurve(c, "f");
        c.active = false;
    });
    QVERIFY(frame().runCommand(cmd::FileNew));
    editSlot(store(), 3,
             [&](CurveSlot &c) { c.name = "c"; });  // inactive there: it counts all the same
    QVERIFY(shell->app->openDocumentFile(shell->curveFile(QStringLiteral("doc.crv"))));
    editSlot(store(), 0, [&](CurveSlot &c) { c.name = "d"; });
    frame().mdiArea()->setActiveSubWindow(mine);

    shell->prompts.pressCancel();
    shell->prompts.pressOk();
    QVERIFY(frame().runCommand(cmd::SaveAll));
    QCOMPARE(details(shell->prompts, Kind::SaveAll), (QStringList{"c", "d"}));
    QVERIFY(!QFile::exists(path("c.crv")));
    QVERIFY(QFile::exists(path("d.crv")));
    QVERIFY(QFile::exists(path("e.crv")));
    QVERIFY(!QFile::exists(path("f.crv")));

    // Regression: a pasted copy of a curve replaced the file the original
    // had just been saved to. It is asked about; "Cancel" skips it.
    curves.copySlot(2, 3);
    editSlot(curves, 3, [](CurveSlot &copy) {
        copy.active = true;
        copy.xLegend = "copie";
    });
    shell->prompts.pressOk();
    shell->prompts.pressOk();
    shell->prompts.pressCancel();
    QVERIFY(frame().runCommand(cmd::SaveAll));
    QCOMPARE(details(shell->prompts, Kind::SaveAll), (QStringList{"c", "d", "c", "d", "e"}));
    QCOMPARE(contentOf(path("e.crv")), bytesOf(curves.slots()[2]));

    // With no window open it does nothing.
    frame().mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QVERIFY(frame().runCommand(cmd::SaveAll));
    QCOMPARE(shell->prompts.count(Kind::SaveAll), 5);
}

void CurveFilesTest::closingAsks_data()
{
    QTest::addColumn<bool>("withCurves");
    QTest::addColumn<ClosingAnswer>("answer");
    QTest::newRow("no active curve, OK") << false << ClosingAnswer::Save;
    QTest::newRow("NO saves nothing") << true << ClosingAnswer::Discard;
    QTest::newRow("OK saves the active curves") << true << ClosingAnswer::Save;
    // Regression: Escape closed the window without saving.
    QTest::newRow("Escape keeps the window") << true << ClosingAnswer::KeepOpen;
}

void CurveFilesTest::closingAsks()
{
    QFETCH(bool, withCurves);
    QFETCH(ClosingAnswer, answer);
    QVERIFY(frame().runCommand(cmd::FileNew));
    CChildFrame *closing = shell->activeFrame();
    if (withCurves) {
        editSlot(store(), 0, [&](CurveSlot &c) { giveCurve(c, "one"); });
        editSlot(store(), 2, [&](CurveSlot &c) { giveCurve(c, "three"); });
    }
    // The same name in the other window is not asked about: only the active
    // curves of the closing window are saved.
    editSlot(frame().openViews()[0]->store(), 0, [&](CurveSlot &c) { giveCurve(c, "other"); });
    QVERIFY(frame().runCommand(cmd::Sampling128));
    QTRY_COMPARE(shell->recoveryCopies().size(), 2);  // both windows changed
    shell->prompts.closingAnswerWhenUnscripted.reset();
    const bool kept = answer == ClosingAnswer::KeepOpen;
    answer == ClosingAnswer::Save      ? shell->prompts.pressOk()
    : answer == ClosingAnswer::Discard ? shell->prompts.pressCancel()
                                       : shell->prompts.dismiss();
    QCOMPARE(closing->close(), !kept);
    QCOMPARE(shell->prompts.count(Kind::ClosingWindow), 1);
    QCOMPARE(shell->recoveryCopies().size(), kept ? 2 : 1);  // closed whatever the answer
    QCOMPARE(frame().registry().size(), kept ? 2u : 1u);
    const QStringList expected = withCurves && answer == ClosingAnswer::Save
                                     ? QStringList{"one.crv", "three.crv"}
                                     : QStringList{};
    QCOMPARE(QDir(shell->folder.path()).entryList(QDir::Files), expected);
    if (kept)
        QCOMPARE(closing->view()->store().slots()[2].name, "three");
}

// Ctrl+F4 closes the active window through the same question, and quitting
// asks once for each window, saving each window's own curves.
void CurveFilesTest::closingKeysAndQuit()
{
    frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame()));
    QTest::keyClick(frame().activeView(), Qt::Key_F4, Qt::ControlModifier);
    ShellFixture::settle();
    QCOMPARE(shell->windows().size(), 0);
    QCOMPARE(shell->prompts.count(Kind::ClosingWindow), 1);

    const char *names[] = {"w1", "w2", "w3"};
    for (const char *name : names) {
        QVERIFY(frame().runCommand(cmd::FileNew));
        editSlot(store(), 1, [&](CurveSlot &c) { giveCurve(c, name); });
    }
    shell->prompts.closingAnswerWhenUnscripted.reset();
    // Escape on the second question stops the quit: the third is not asked.
    shell->prompts.pressOk();
    shell->prompts.dismiss();
    QVERIFY(frame().runCommand(cmd::AppExit));
    QCOMPARE(frame().registry().size(), 2u);
    QVERIFY(frame().isVisible());
    shell->prompts.pressOk();
    shell->prompts.pressCancel();
    QVERIFY(frame().runCommand(cmd::AppExit));
    QCOMPARE(shell->prompts.count(Kind::ClosingWindow), 5);
    QVERIFY(frame().registry().empty());
    QCOMPARE(QDir(shell->folder.path()).entryList(QDir::Files).size(), 2);
}

// Open, resample, save under a new name, close saving, reopen and save
// again: the bytes are those the batch tool writes for the saved file.
void CurveFilesTest::roundTripMatchesTheBatchTool()
{
    open(0, shell->curveFile(QStringLiteral("a.crv")));
    QVERIFY(frame().runCommand(cmd::Sampling128));
    shell->prompts.chooseFile(path("b.crv"));
    QVERIFY(frame().runCommand(kSaveAs[0]));
    shell->prompts.closingAnswerWhenUnscripted.reset();
    shell->prompts.pressOk();
    QVERIFY(shell->activeFrame()->close());
    ShellFixture::settle();

    QVERIFY(frame().runCommand(cmd::FileNew));
    open(0, path("b.crv"));
    QCOMPARE(store().slots()[0].samplingCount, 128);
    shell->prompts.chooseFile(path("c.crv"));
    QVERIFY(frame().runCommand(kSaveAs[0]));

    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::string> words{"convert", path("b.crv").toStdString(), "--out",
                                         path("d.crv").toStdString()};
    QCOMPARE(runCli(words, out, err), kExitSuccess);
    QCOMPARE(contentOf(path("c.crv")), contentOf(path("d.crv")));
    QCOMPARE(contentOf(path("b.crv")), contentOf(path("d.crv")));
}

// The toolbar button shows whether the active window draws its axes.
void CurveFilesTest::axesButtonFollowsTheActiveView()
{
    auto *button = qobject_cast<QToolButton *>(
        frame().toolBar()->widgetForAction(frame().commandAction(cmd::Axes)));
    QVERIFY(button);
    CChildFrame *first = shell->activeFrame();
    QVERIFY(!button->isChecked());
    QVERIFY(frame().runCommand(cmd::Axes));
    QVERIFY(store().showAxes);
    QVERIFY(button->isChecked());
    QVERIFY(frame().runCommand(cmd::FileNew));
    QVERIFY(!button->isChecked());
    frame().mdiArea()->setActiveSubWindow(first);
    QVERIFY(button->isChecked());
}

QTEST_MAIN(CurveFilesTest)
#include "test_curve_files.moc"
