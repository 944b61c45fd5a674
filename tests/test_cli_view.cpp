// ombrelis-cli render draws exactly what a plot view of the same size shows
// for the same curves and settings.
#include "cli/cli_commands.h"
#include "curves/curve_file_io.h"
#include "shell_fixture.h"

#include <sstream>

using namespace ombrelis;

class TestCliView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void renderMatchesTheView_data();
    void renderMatchesTheView();
};

void TestCliView::renderMatchesTheView_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::newRow("smoothing") << QStringList{};
    QTest::newRow("bars with axes, frame and cursor")
        << QStringList{"--sampled", "--axes", "--frame", "--cursor", "9"};
    QTest::newRow("polyline") << QStringList{"--sampled", "--interpolation"};
    QTest::newRow("edit mode") << QStringList{"--edit", "--current", "2"};
}

void TestCliView::renderMatchesTheView()
{
    QFETCH(QStringList, flags);
    ShellFixture shell;
    QVERIFY(shell.start());
    MyView *view = shell.frame().activeView();
    QVERIFY(view);
    const QString examples = qEnvironmentVariable("OMBRELIS_EXAMPLES");
    const QStringList names = {"wave", "ramp", "parabola"};

    CurveStore &store = view->store();
    for (int k = 0; k < names.size(); ++k) {
        const QString base = examples + '/' + names[k];
        QVERIFY(readCurveFile(store, k, base + ".crv",
                              CurveFileNames::ofBaseName(base.toStdString()), nullptr));
    }
    store.currentCurve = flags.contains("--current") ? 1 : 0;
    store.smoothing = !flags.contains("--sampled");
    store.interpolationOption = flags.contains("--interpolation");
    store.editMode = flags.contains("--edit");
    store.showAxes = flags.contains("--axes");
    store.showFrame = flags.contains("--frame");
    store.cursorOn = flags.contains("--cursor");
    store.cursorIndex = store.cursorOn ? 9 : 0;
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(shown.width() > 100 && shown.height() > 100);
    QImage blank(shown.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    QVERIFY(shown != blank);  // the curves are drawn

    const QString png = shell.folder.filePath("plot.png");
    std::vector<std::string> words = {"render"};
    for (const QString &name : names)
        words.push_back((examples + '/' + name + ".crv").toStdString());
    for (const QString &flag : flags)
        words.push_back(flag.toStdString());
    const QString size = QStringLiteral("%1x%2").arg(view->width()).arg(view->height());
    words.insert(words.end(), {"--out", png.toStdString(), "--size", size.toStdString()});
    std::ostringstream out, err;
    QCOMPARE(runCli(words, out, err), kExitSuccess);

    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), shown);
}

QTEST_MAIN(TestCliView)
#include "test_cli_view.moc"
