// The axis bars in the running editor: their controls and data exchange,
// typed bounds and legends, the edit cycle, the clipboard, the bar pair
// following the active window, and the cursor readout.
#include "bars/bound_remap.h"
#include "bars/display_bars.h"
#include "bars/edit_bars.h"
#include "curves/crv_format.h"
#include "curves/curve_history.h"
#include "curves/same_bytes.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"
#include "test_support.h"
#include "view/plot_mapping.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

using namespace ombrelis;

Q_DECLARE_METATYPE(BarId)

class BarsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> shell;

    CMainFrame &frame() { return shell->frame(); }
    MyView &view() { return *frame().activeView(); }
    AxisBarFields &fields() { return frame().barFields(); }
    QWidget *control(BarId bar, int id) { return frame().bar(bar)->control(id); }
    QString text(BarId bar, int id) { return controlText(control(bar, id)); }
    // Which bars are showing, in the order Display, DisplayY, Edit, EditY.
    QList<bool> showing()
    {
        return {frame().isBarVisible(BarId::Display), frame().isBarVisible(BarId::DisplayY),
                frame().isBarVisible(BarId::Edit), frame().isBarVisible(BarId::EditY)};
    }
    bool editChecked()
    {
        frame().updateCommandStates();
        return frame().commandAction(cmd::EditMode)->isChecked();
    }

private Q_SLOTS:
    void init();
    void cleanup();
    void controls_data();
    void controls();
    void docking();
    void exchange_data();
    void exchange();
    void typedBoundsAndLegends();
    void legendWithMicroRoundTrips();
    void editCycle_data();
    void editCycle();
    void longLegendsSurviveEditMode_data();
    void longLegendsSurviveEditMode();
    void clipboard();
    void clipboardOffersOtherPrograms();
    void clipboardWithoutWindows();
    void barsFollowTheActiveWindow();
    void editAfterSwitchingWindowsKeepsTheFrameSize();
    void radioButtonSelectsTheCurve();
    void cursorReadout_data();
    void cursorReadout();
};

namespace {

const QList<bool> kDisplayPair{true, true, false, false};
const QList<bool> kEditPair{false, false, true, true};

// Three samples at x = 0, 500, 1000 on a slot of the view.
void giveSamples(MyView &view, int slot, const std::string &name)
{
    editSlot(view.store(), slot, [&](CurveSlot &curve) {
        curve.name = name;
        curve.sampleCount = 3;
        for (std::size_t i = 0; i < 3; ++i) {
            const double x = 500.0 * static_cast<double>(i);
            curve.samples[i] = {x, 100};
            curve.startTangents[i] = {x - 10, 100};
            curve.endTangents[i] = {x + 10, 100};
        }
    });
}

void loseFocus(QWidget *box)
{
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(box, &out);
}

// Types `keys` where the caret stands, one character per key press.
void typeAtCaret(QWidget *box, const QString &keys)
{
    for (QChar c : keys) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box, &press);
    }
}

// Replaces the box's text by typing `keys`, one character per key press.
void type(QWidget *box, const QString &keys)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else
        static_cast<QPlainTextEdit *>(box)->selectAll();
    typeAtCaret(box, keys);
}

}  // namespace

void BarsTest::init()
{
    shell = std::make_unique<ShellFixture>();
    QVERIFY(shell->start());
}

void BarsTest::cleanup()
{
    QVERIFY2(shell->prompts.mismatches.isEmpty(), qPrintable(shell->prompts.mismatches.join('\n')));
    shell.reset();
}

void BarsTest::controls_data()
{
    QTest::addColumn<BarId>("bar");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");  // as the bar first shows it
    QTest::addColumn<QRect>("units");

    struct Row {
        BarId bar;
        int id;
        const char *kind;
        const char *text;
        QRect units;
    };
    using enum BarId;
    const Row rows[] = {
        {Display, ctl::DisplayXmin, "bordered", "0", {38, 7, 59, 11}},
        {Display, ctl::DisplayXLegend, "bordered", "Legende de l'axe des X", {164, 7, 190, 13}},
        {Display, ctl::DisplayXmax, "bordered", "1000", {426, 7, 57, 11}},
        {Display, ctl::CurveName1, "bordered", "", {28, 33, 76, 12}},
        {Display, ctl::CurveName2, "bordered", "", {27, 59, 75, 12}},
        {Display, ctl::CurveName3, "bordered", "", {137, 33, 74, 12}},
        {Display, ctl::CurveName4, "bordered", "", {137, 57, 73, 13}},
        {Display, cmd::SelectCurve1, "radio", "", {106, 34, 10, 10}},
        {Display, cmd::SelectCurve2, "radio", "", {104, 60, 11, 10}},
        {Display, cmd::SelectCurve3, "radio", "", {213, 34, 9, 10}},
        {Display, cmd::SelectCurve4, "radio", "", {212, 58, 10, 10}},
        {Display, ctl::ScriptBox, "upper", "", {41, 81, 173, 14}},
        {Display, cmd::Cursor, "button", "Curseur", {239, 44, 50, 14}},
        {Display, ctl::DisplayCursorX, "static", "", {255, 66, 34, 8}},
        {Display, ctl::DisplayCursorY, "static", "", {255, 79, 34, 8}},
        {Display, ctl::SurfaceResult, "bordered", "", {321, 46, 66, 14}},
        {Display, cmd::EditMode, "flat", "Edit", {417, 27, 50, 14}},
        {Display, cmd::Undo, "button", "Undo", {417, 49, 50, 14}},
        {Display, cmd::Cut, "button", "Delete", {417, 71, 50, 14}},
        {DisplayY, ctl::DisplayYmax, "bordered", "1000", {7, 7, 58, 9}},
        {DisplayY, ctl::DisplayYLegend, "bordered", "Legende de l'axe des Y", {7, 108, 58, 36}},
        {DisplayY, ctl::DisplayYmin, "bordered", "0", {7, 234, 58, 9}},
        {Edit, ctl::EditXmin, "fixed", "0", {56, 7, 52, 12}},
        {Edit, ctl::EditXLegend, "legend", "Legende de l'axe des X", {169, 7, 189, 12}},
        {Edit, ctl::EditXmax, "edit", "1000", {435, 7, 50, 12}},
        {Edit, cmd::Copy, "button", "Copy", {13, 26, 38, 14}},
        {Edit, cmd::Cut, "button", "Delete", {13, 48, 38, 14}},
        {Edit, cmd::Paste, "button", "Paste", {13, 70, 38, 14}},
        {Edit, cmd::VerticalTangents, "check", "Tangente verticale", {62, 46, 76, 10}},
        {Edit, cmd::Axes, "check", "", {95, 72, 13, 8}},
        {Edit, cmd::CreateSample, "button", "Create", {152, 41, 39, 14}},
        {Edit, cmd::Undo, "button", "Undo", {151, 58, 39, 14}},
        {Edit, ctl::PointX, "edit", "0.0", {223, 45, 32, 13}},
        {Edit, ctl::PointY, "edit", "0.0", {222, 60, 33, 12}},
        {Edit, cmd::Cursor, "button", "Curseur", {318, 33, 50, 14}},
        {Edit, ctl::EditCursorX, "static", "", {337, 52, 34, 8}},
        {Edit, ctl::EditCursorY, "static", "", {337, 65, 34, 8}},
        {Edit, cmd::EditMode, "button", "OK", {412, 37, 39, 14}},
        {Edit, cmd::CancelEdit, "button", "Cancel", {413, 57, 38, 14}},
        {EditY, ctl::EditYmax, "edit", "1000", {7, 7, 58, 12}},
        {EditY, ctl::EditYLegend, "legend box", "Legende de l'axe des Y", {7, 108, 58, 33}},
        {EditY, ctl::EditYmin, "edit", "0", {7, 231, 58, 13}},
    };
    const char *barNames[] = {"display", "displayY", "edit", "editY"};
    for (const Row &row : rows) {
        QTest::addRow("%s %d", barNames[static_cast<int>(row.bar)], row.id)
            << row.bar << row.id << QString::fromLatin1(row.kind) << QString::fromUtf8(row.text)
            << row.units;
    }
}

void BarsTest::controls()
{
    QFETCH(BarId, bar);
    QFETCH(int, id);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, units);
    // The edit bars are made as the first entry into edit mode makes them,
    // before anything fills them.
    frame().toggleBar(BarId::Edit);
    frame().toggleBar(BarId::EditY);
    CAxisBar *made = frame().bar(bar);
    QWidget *widget = made->control(id);
    QVERIFY(widget);
    QCOMPARE(made->findChild<QWidget *>(QStringLiteral("control%1").arg(id)), widget);
    QCOMPARE(widget->geometry(),
             made->units().rect(units.x(), units.y(), units.width(), units.height()));
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        QCOMPARE(button->text(), text);
    else
        QCOMPARE(controlText(widget), text);

    if (kind == "bordered" || kind == "static") {
        auto *label = qobject_cast<QLabel *>(widget);
        QVERIFY(label);
        QCOMPARE(label->frameShape() == QFrame::Box, kind == "bordered");
    } else if (kind == "edit" || kind == "fixed" || kind == "upper" || kind == "legend") {
        auto *box = qobject_cast<QLineEdit *>(widget);
        QVERIFY(box);
        QCOMPARE(box->property("scrollsHorizontally").toBool(), kind != "fixed");
        QCOMPARE(box->property("upperCase").toBool(), kind == "upper" || kind == "legend");
        // Typed letters become capitals; program text is kept as it is.
        box->clear();
        type(box, QStringLiteral("ab"));
        QCOMPARE(box->text(), box->property("upperCase").toBool() ? "AB" : "ab");
    } else if (kind == "legend box") {
        QVERIFY(qobject_cast<BarLegendBox *>(widget));
    } else if (kind == "button" || kind == "flat") {
        auto *button = qobject_cast<QPushButton *>(widget);
        QVERIFY(button);
        QCOMPARE(button->isFlat(), kind == "flat");
    } else if (kind == "check") {
        QVERIFY(qobject_cast<QCheckBox *>(widget));
    } else {
        auto *radio = qobject_cast<QRadioButton *>(widget);
        QVERIFY(radio);
        QVERIFY(radio->group() && radio->group()->exclusive());
        QCOMPARE(radio->isChecked(), id == cmd::SelectCurve1);
    }
}

void BarsTest::docking()
{
    const struct {
        BarId bar;
        Qt::DockWidgetArea area;
        Qt::DockWidgetAreas allowed;
    } expected[] = {
        {BarId::Display, Qt::BottomDockWidgetArea,
         Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea},
        {BarId::DisplayY, Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea},
        {BarId::Edit, Qt::BottomDockWidgetArea, Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea},
        {BarId::EditY, Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea},
    };
    QCOMPARE(showing(), kDisplayPair);
    QVERIFY(!frame().bar(BarId::Edit));
    QVERIFY(frame().runCommand(cmd::EditMode));
    for (const auto &row : expected) {
        CAxisBar *bar = frame().bar(row.bar);
        QCOMPARE(frame().dockWidgetArea(bar), row.area);
        QCOMPARE(bar->allowedAreas(), row.allowed);
        QVERIFY(!(bar->features() & QDockWidget::DockWidgetClosable));
        QVERIFY(bar->features() & QDockWidget::DockWidgetMovable);
        QVERIFY(bar->features() & QDockWidget::DockWidgetFloatable);
    }
    // The bars fit the window at its start-up size.
    QCOMPARE(frame().frameGeometry(), QRect(60, 41, 741, 644));
    QVERIFY(frame().mdiArea()->height() > 150);
}

void BarsTest::exchange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("readBack");
    QTest::newRow("zero") << 0.0 << "0" << 0.0;
    QTest::newRow("integer") << 1000.0 << "1000" << 1000.0;
    QTest::newRow("binary fraction rounds") << 0.1 + 0.2 << "0.3" << 0.3;
    QTest::newRow("fifteen digits")
        << 123456789.123456789 << "123456789.123457" << 123456789.123457;
    QTest::newRow("small") << 1e-7 << "1e-07" << 1e-7;
    QTest::newRow("large negative") << -2.5e300 << "-2.5e+300" << -2.5e300;
}

// Members to controls and back: doubles in general format, texts as they
// are, the radio group as the index of its checked button.
void BarsTest::exchange()
{
    QFETCH(double, value);
    QFETCH(QString, shown);
    QFETCH(double, readBack);
    fields().display.xmaxValue = value;
    fields().displayY.yminValue = value;
    fields().display.curveNames[2] = "Durée €";
    fields().display.selectedCurve = 3;
    frame().writeBar(BarId::Display);
    frame().writeBar(BarId::DisplayY);
    QCOMPARE(text(BarId::Display, ctl::DisplayXmax), shown);
    QCOMPARE(text(BarId::DisplayY, ctl::DisplayYmin), shown);
    QCOMPARE(text(BarId::Display, ctl::CurveName3), QString::fromUtf8("Durée €"));
    QVERIFY(static_cast<QRadioButton *>(control(BarId::Display, cmd::SelectCurve4))->isChecked());

    fields() = AxisBarFields{};
    frame().readBar(BarId::Display);
    frame().readBar(BarId::DisplayY);
    QCOMPARE(fields().display.xmaxValue, readBack);
    QCOMPARE(fields().displayY.yminValue, readBack);
    QCOMPARE(fields().display.curveNames[2], "Durée €");
    QCOMPARE(fields().display.selectedCurve, 3);

    // No curve selected leaves every radio button clear.
    fields().display.selectedCurve = -1;
    frame().writeBar(BarId::Display);
    frame().readBar(BarId::Display);
    QCOMPARE(fields().display.selectedCurve, -1);
}

// Leaving a bound box remaps the samples; legend boxes refuse a leading
// ";" and what a curve file cannot hold, and what they take reads back.
void BarsTest::typedBoundsAndLegends()
{
    giveSamples(view(), 0, "Un");
    QVERIFY(frame().runCommand(cmd::EditMode));
    QCOMPARE(text(BarId::Edit, ctl::EditXmin), "0.00");
    QCOMPARE(text(BarId::Edit, ctl::EditXmax), "1000.00");
    QCOMPARE(text(BarId::EditY, ctl::EditYmax), "1000.00");

    QWidget *xmin = control(BarId::Edit, ctl::EditXmin);
    type(xmin, QStringLiteral("500"));
    QCOMPARE(fields().edit.xminText, "500");  // read as it changes
    loseFocus(xmin);
    const CurveSlot &curve = view().store().current();
    QCOMPARE(curve.xmin, 500.0);
    QCOMPARE(curve.samples[1].x, 750.0);
    QCOMPARE(curve.endTangents[0].x, 505.0);
    // A crossed X range is refused aloud; the box shows the bound kept.
    type(xmin, QStringLiteral("2000"));
    loseFocus(xmin);
    QCOMPARE(controlText(xmin), "500.00");
    QCOMPARE(shell->prompts.asked.last().detail,
             QString::fromUtf8("Xmin (2000) doit être inférieur à Xmax (1000) : la courbe garde "
                               "Xmin\u00a0=\u00a0500."));
    // A box left as it stands changes nothing, not even a sample by rounding.
    editSlot(view().store(), 0, [](CurveSlot &slot) { slot.samples[1].x = 0.1; });
    const std::size_t steps = view().history().undoSteps();
    loseFocus(control(BarId::Edit, ctl::EditXmax));
    QVERIFY(sameBytes(curve.samples[1].x, 0.1));
    QCOMPARE(view().history().undoSteps(), steps);

    QWidget *ymax = control(BarId::EditY, ctl::EditYmax);
    type(ymax, QStringLiteral("abc"));
    loseFocus(ymax);
    QCOMPARE(curve.ymax, 0.0);

    QWidget *xLegend = control(BarId::Edit, ctl::EditXLegend);
    QWidget *yLegend = control(BarId::EditY, ctl::EditYLegend);
    for (QWidget *box : {xLegend, yLegend}) {
        type(box, QStringLiteral(";x"));
        QCOMPARE(controlText(box), "X");
        type(box, QString::fromUtf8("a;b中"));
        QCOMPARE(controlText(box), "A;B");
        loseFocus(box);
    }
    QCOMPARE(curve.xLegend, "A;B");
    QCOMPARE(curve.yLegend, "A;B");
    auto read = std::make_unique<CurveSlot>();
    QVERIFY(parseCurveFile(formatCurveFile(curve), "un.crv", *read).ok());
    QCOMPARE(read->xLegend, "A;B");
    QCOMPARE(read->yLegend, "A;B");
    QCOMPARE(read->sampleCount, 3);
}

// µ and ß have no capital in the code page and stay as they are, so a
// legend holding them is edited, kept at "OK" and saved as it reads.
void BarsTest::legendWithMicroRoundTrips()
{
    const QString file = shell->writeFile(QStringLiteral("mu.crv"),
                                          "temps (\xB5s)\n0\n1000\n\xB5V\n0\n1000\n2\n0 0 -10 0 10 "
                                          "0\n1000 1000 990 1000 1010 1000\n0\n16\n");
    shell->prompts.chooseFile(file);
    QVERIFY(frame().runCommand(cmd::Curve1Open));
    QVERIFY(frame().runCommand(cmd::EditMode));
    auto *xLegend = static_cast<QLineEdit *>(control(BarId::Edit, ctl::EditXLegend));
    auto *yLegend = static_cast<QPlainTextEdit *>(control(BarId::EditY, ctl::EditYLegend));
    QCOMPARE(xLegend->text(), QString::fromUtf8("temps (µs)"));
    xLegend->end(false);
    typeAtCaret(xLegend, QString::fromUtf8("éÿœµß"));
    QCOMPARE(xLegend->text(), QString::fromUtf8("TEMPS (µS)ÉŸŒµß"));
    yLegend->moveCursor(QTextCursor::End);
    typeAtCaret(yLegend, QString::fromUtf8("µ/s"));
    QCOMPARE(yLegend->toPlainText(), QString::fromUtf8("µVµ/S"));
    auto *script = static_cast<QLineEdit *>(control(BarId::Display, ctl::ScriptBox));
    type(script, QString::fromUtf8("c1=é+µ"));
    QCOMPARE(script->text(), QString::fromUtf8("C1=É+µ"));

    loseFocus(xLegend);
    loseFocus(yLegend);
    QVERIFY(frame().runCommand(cmd::EditMode));
    QVERIFY(frame().runCommand(cmd::Curve1Save));
    QFile saved(file);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = saved.readAll().split('\n');
    QCOMPARE(lines.value(1), "TEMPS (\xB5S)\xC9\x9F\x8C\xB5\xDF\r");
    QCOMPARE(lines.value(7), "\xB5V\xB5/S\r");

    // A changed legend the file could not hold back is refused aloud, not dropped.
    shell->writeFile(QStringLiteral("cr.crv"), "a\rb\n0\n1000\nY\n0\n1000\n0\n0\n0\n");
    shell->prompts.chooseFile(shell->folder.filePath(QStringLiteral("cr.crv")));
    QVERIFY(frame().runCommand(cmd::Curve2Open));
    QVERIFY(frame().runCommand(cmd::EditMode));
    loseFocus(xLegend);  // untouched: nothing to say
    QVERIFY(shell->prompts.asked.last().kind != ScriptedPrompts::Kind::Error);
    xLegend->end(false);
    typeAtCaret(xLegend, QStringLiteral("c"));
    loseFocus(xLegend);
    QCOMPARE(shell->prompts.asked.last().kind, ScriptedPrompts::Kind::Error);
    QVERIFY2(shell->prompts.asked.last().detail.contains(QStringLiteral("une ligne")),
             qPrintable(shell->prompts.asked.last().detail));
    QCOMPARE(view().store().current().xLegend, "a\rb");
}

void BarsTest::editCycle_data()
{
    QTest::addColumn<int>("leaveWith");
    QTest::addColumn<int>("samples");
    QTest::newRow("cancel restores the curve") << cmd::CancelEdit << 3;
    QTest::newRow("ok keeps and activates") << cmd::EditMode << 3;
    QTest::newRow("ok on an empty curve leaves it inactive") << cmd::EditMode << 0;
}

void BarsTest::editCycle()
{
    QFETCH(int, leaveWith);
    QFETCH(int, samples);
    CurveStore &store = view().store();
    if (samples > 0)
        giveSamples(view(), 0, "Un");
    view().fillDisplayBars();
    const auto before = std::make_unique<CurveSlot>(store.slots()[0]);
    const DisplayBarFields shownBefore = fields().display;

    QVERIFY(!editChecked());
    QVERIFY(frame().runCommand(cmd::EditMode));
    QVERIFY(store.editMode);
    QCOMPARE(store.slots()[kBackupSlot].sampleCount, samples);
    QCOMPARE(store.slots()[kBackupSlot].name, before->name);
    QCOMPARE(showing(), kEditPair);
    QVERIFY(editChecked());

    // Edits through the core operations: a new bound and a moved sample.
    editSlot(store, store.currentCurve, [](CurveSlot &curve) {
        QVERIFY(remapBound(curve, Bound::Xmax, 2000).ok());
        curve.samples[0].y = 900;
        curve.name = "Autre";
    });

    QVERIFY(frame().runCommand(leaveWith));
    QVERIFY(!store.editMode);
    QCOMPARE(store.slots()[kBackupSlot].sampleCount, 0);
    QCOMPARE(store.slots()[kBackupSlot].name, "");
    QCOMPARE(showing(), kDisplayPair);
    QVERIFY(!editChecked());
    if (leaveWith == cmd::CancelEdit) {
        QCOMPARE(store.current().xmax, 1000.0);
        QCOMPARE(store.current().samples, before->samples);
        QCOMPARE(store.current().name, "Un");
        QCOMPARE(store.current().active, false);
        // The display bars show what they showed before, untouched.
        QCOMPARE(fields().display.curveNames, shownBefore.curveNames);
        QCOMPARE(text(BarId::Display, ctl::DisplayXmax), "1000");
        // Cancel outside edit mode has no backup to restore: it changes nothing.
        QVERIFY(frame().runCommand(cmd::CancelEdit));
        QCOMPARE(store.current().name, "Un");
    } else {
        QCOMPARE(store.current().xmax, 2000.0);
        QCOMPARE(store.current().name, "Autre");
        QCOMPARE(store.current().active, samples > 0);
        QCOMPARE(text(BarId::Display, ctl::DisplayXmax), "2000");
        QCOMPARE(text(BarId::Display, ctl::CurveName1), "Autre");
    }
}

void BarsTest::longLegendsSurviveEditMode_data()
{
    QTest::addColumn<BarId>("bar");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("legend");
    QTest::addColumn<bool>("pasted");  // in small letters into the box, not read from a file
    const QString word(300'000, u'A');
    QString words = word;
    for (qsizetype i = 5; i < words.size(); i += 6)
        words[i] = u' ';
    // Two-byte characters, one of them across the end of what a box shows.
    const QString accents = u'A' + QString(3'000, u'\u00C9');
    QTest::newRow("x: one word") << BarId::Edit << 1019 << word << false;
    QTest::newRow("y: one word") << BarId::EditY << 1036 << word << false;
    QTest::newRow("y: words") << BarId::EditY << 1036 << words << false;
    QTest::newRow("y: accents") << BarId::EditY << 1036 << accents << false;
    // Regression: the legend box laid the whole word out for 20 s; the X
    // legend box kept 32767 characters of it.
    QTest::newRow("x: one word pasted") << BarId::Edit << 1019 << word << true;
    QTest::newRow("y: one word pasted") << BarId::EditY << 1036 << word << true;
}

// A box shows the beginning of a legend of thousands of characters; the
// rest follows the legend through the bars, an edit and a save.
void BarsTest::longLegendsSurviveEditMode()
{
    QFETCH(BarId, bar);
    QFETCH(int, box);
    QFETCH(QString, legend);
    QFETCH(bool, pasted);
    const bool onX = bar == BarId::Edit;
    const std::string text = legend.toStdString();
    editSlot(view().store(), view().store().currentCurve, [&](CurveSlot &curve) {
        (onX ? curve.xLegend : curve.yLegend) = pasted ? std::string() : text;
    });
    const CurveSlot &curve = view().store().current();
    const std::string &kept = onX ? curve.xLegend : curve.yLegend;
    view().fillDisplayBars();
    if (pasted) {
        QVERIFY(frame().runCommand(cmd::EditMode));
        QGuiApplication::clipboard()->setText(legend.toLower());
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::sendEvent(control(bar, box), &paste);
        QVERIFY(this->text(bar, box).size() <= 4096);
        loseFocus(control(bar, box));
        QVERIFY(frame().runCommand(cmd::EditMode));
    }
    for (int leaveWith : {cmd::CancelEdit, cmd::EditMode}) {
        QVERIFY(frame().runCommand(cmd::EditMode));
        loseFocus(control(bar, box));
        QVERIFY(kept == text);
        QVERIFY(frame().runCommand(leaveWith));
        frame().readBar(onX ? BarId::Display : BarId::DisplayY);
        QVERIFY((onX ? fields().display.xLegendText : fields().displayY.yLegendText) == text);
    }

    QVERIFY(frame().runCommand(cmd::EditMode));
    QWidget *edited = control(bar, box);
    if (auto *line = qobject_cast<QLineEdit *>(edited))
        line->home(false);
    else
        static_cast<QPlainTextEdit *>(edited)->moveCursor(QTextCursor::Start);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
    QCoreApplication::sendEvent(edited, &press);
    loseFocus(edited);
    QVERIFY(frame().runCommand(cmd::EditMode));
    QVERIFY(kept == "Z" + text);
    auto read = std::make_unique<CurveSlot>();
    QVERIFY(parseCurveFile(formatCurveFile(curve), "un.crv", *read).ok());
    QVERIFY((onX ? read->xLegend : read->yLegend) == "Z" + text);
}

void BarsTest::clipboard()
{
    const std::string names[] = {"Un", "Deux", "Trois", "Quatre"};
    for (int i = 0; i < 4; ++i)
        editSlot(view().store(), static_cast<std::size_t>(i),
                 [&](CurveSlot &c) { c.name = names[i]; });
    giveSamples(view(), 1, "Deux");
    editSlot(view().store(), 1, [](CurveSlot &curve) {
        curve.active = true;
        curve.colour = 0x00FF00;
    });
    const CurveSlot &two = view().store().slots()[1];
    view().store().currentCurve = 1;
    view().fillDisplayBars();
    view().refreshCurveNames();

    QVERIFY(frame().runCommand(cmd::Cut));
    QCOMPARE(frame().documentTitle(view()), "UnTroisQuatre");
    QCOMPARE(two.sampleCount, 0);
    QCOMPARE(two.name, "");
    QCOMPARE(fields().display.curveNames[1], "");
    QCOMPARE(text(BarId::Display, ctl::CurveName2), "");
    QCOMPARE(frame().curveClipboard().active, false);

    QVERIFY(frame().runCommand(cmd::Paste));
    QCOMPARE(two.sampleCount, 3);
    QCOMPARE(two.active, false);
    QCOMPARE(two.colour, Colour(0x00FF00));
    QCOMPARE(frame().documentTitle(view()), "Deux");

    // Copy here, paste into another window: colour, active and the folder
    // the curve saves to travel, the target keeps its script.
    editSlot(view().store(), 1, [](CurveSlot &curve) {
        curve.active = true;
        curve.folder = "/elsewhere";
    });
    QVERIFY(frame().runCommand(cmd::Copy));
    QVERIFY(frame().runCommand(cmd::FileNew));
    MyView &other = view();
    QVERIFY(&other != frame().openViews().front());
    editSlot(other.store(), other.store().currentCurve,
             [](CurveSlot &curve) { curve.scriptText = "C1=C2"; });
    QVERIFY(frame().runCommand(cmd::Paste));
    const CurveSlot &pasted = other.store().current();
    QCOMPARE(pasted.sampleCount, 3);
    QCOMPARE(pasted.colour, Colour(0x00FF00));
    QCOMPARE(pasted.active, true);
    QCOMPARE(pasted.scriptText, "C1=C2");
    QCOMPARE(pasted.folder, "/elsewhere");
    QCOMPARE(frame().documentTitle(other), "Deux");
    QCOMPARE(text(BarId::Display, ctl::CurveName1), "Deux");
}

// Copy also gives other programs the points as text, a line "x<TAB>y" each
// whose numbers read back exactly, and the plot as a PNG at the view's size;
// Paste still reads only the curve clipboard.
void BarsTest::clipboardOffersOtherPrograms()
{
    giveSamples(view(), 0, "Un");
    view().store().resampleDrawnCurves();
    QVERIFY(frame().runCommand(cmd::Copy));
    const QMimeData *offered = QGuiApplication::clipboard()->mimeData();
    QVERIFY(offered);
    const CurveSlot &curve = view().store().current();
    const QStringList rows = offered->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), curve.samplingCount);
    for (int j = 0; j < rows.size(); ++j) {
        const QStringList cells = rows[j].split('\t');
        QCOMPARE(cells.size(), 2);
        QVERIFY(cells[0].toDouble() == curve.sampledPoints[std::size_t(j)].x);
        QVERIFY(cells[1].toDouble() == curve.sampledPoints[std::size_t(j)].y);
    }
    QCOMPARE(rows[0], "0\t100");
    QImage plot;
    QVERIFY(plot.loadFromData(offered->data(QStringLiteral("image/png")), "PNG"));
    QCOMPARE(plot.size(), view().size() * view().plotRatio());

    QGuiApplication::clipboard()->setText(QStringLiteral("1\t2\n"));
    view().store().currentCurve = 1;
    QVERIFY(frame().runCommand(cmd::Paste));
    QCOMPARE(view().store().current().name, "Un");
}

// Paste before any copy gives an empty curve; with no window the clipboard
// commands stay enabled and do nothing.
void BarsTest::clipboardWithoutWindows()
{
    giveSamples(view(), 0, "Un");
    editSlot(view().store(), view().store().currentCurve, [](CurveSlot &curve) {
        curve.colour = 0x00FF00;
        curve.interpolationFlag = 1;
    });
    QVERIFY(frame().runCommand(cmd::Paste));
    const CurveSlot &curve = view().store().current();
    QCOMPARE(curve.sampleCount, 0);
    QCOMPARE(curve.samplingCount, 0);
    QCOMPARE(curve.colour, Colour(255));
    QCOMPARE(curve.active, false);
    QCOMPARE(curve.interpolationFlag, 0);
    QCOMPARE(frame().documentTitle(view()), "");

    frame().mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    frame().curveClipboard().name = "kept";
    for (int id : {cmd::Copy, cmd::Cut, cmd::Paste, cmd::Undo}) {
        QVERIFY(frame().commandState(id).enabled);
        QVERIFY(frame().runCommand(id));
    }
    QCOMPARE(frame().curveClipboard().name, "kept");
}

void BarsTest::barsFollowTheActiveWindow()
{
    QMdiSubWindow *first = shell->activeFrame();
    MyView &a = view();
    giveSamples(a, 0, "A");
    editSlot(a.store(), a.store().currentCurve, [](CurveSlot &curve) { curve.xmin = 5; });
    QVERIFY(frame().runCommand(cmd::EditMode));
    QVERIFY(frame().runCommand(cmd::FileNew));
    QMdiSubWindow *second = shell->activeFrame();
    MyView &b = view();
    // A new window while the edit bars show: the display pair, four empty names.
    QCOMPARE(showing(), kDisplayPair);
    QCOMPARE(fields().display.curveNames, (std::array<std::string, 4>{}));
    QCOMPARE(fields().display.selectedCurve, 0);
    QVERIFY(!editChecked());
    giveSamples(b, 2, "B3");
    b.store().currentCurve = 2;
    editSlot(b.store(), b.store().currentCurve, [](CurveSlot &curve) { curve.xmax = 700; });

    for (int round = 0; round < 2; ++round) {
        frame().mdiArea()->setActiveSubWindow(first);
        QCOMPARE(showing(), kEditPair);
        QVERIFY(editChecked());
        QCOMPARE(text(BarId::Edit, ctl::EditXmin), "5.00");
        frame().mdiArea()->setActiveSubWindow(second);
        QCOMPARE(showing(), kDisplayPair);
        QVERIFY(!editChecked());
        QCOMPARE(text(BarId::Display, ctl::DisplayXmax), "700");
        QCOMPARE(text(BarId::Display, ctl::CurveName3), "B3");
        QCOMPARE(fields().display.selectedCurve, 2);
    }
    // The edit bar's box loses the focus after the display-mode window came
    // forward: that window's curve keeps its bounds.
    type(control(BarId::Edit, ctl::EditXmax), QStringLiteral("9"));
    loseFocus(control(BarId::Edit, ctl::EditXmax));
    QCOMPARE(b.store().current().xmax, 700.0);
}

// Regression: "Edit" clicked after bringing the first window forward hid the
// button that held the focus; the focus went on along the tab chain into the
// plot of the window made after the bars, which came forward in the middle
// of the switch and showed both bar pairs at once: the frame grew to 1132
// pixels and stayed so.
void BarsTest::editAfterSwitchingWindowsKeepsTheFrameSize()
{
    QMdiSubWindow *first = shell->activeFrame();
    QVERIFY(frame().runCommand(cmd::FileNew));
    QApplication::setActiveWindow(&frame());
    QVERIFY(QTest::qWaitForWindowActive(&frame()));
    frame().mdiArea()->setActiveSubWindow(first);
    const QSize before = frame().size();
    QWidget *edit = control(BarId::Display, cmd::EditMode);
    QTest::mouseClick(edit, Qt::LeftButton);
    QVERIFY(view().store().editMode);
    QCOMPARE(shell->activeFrame(), first);
    QCOMPARE(showing(), kEditPair);
    QCOMPARE(frame().size(), before);
    QVERIFY(frame().frameGeometry().height() <= frame().screen()->availableGeometry().height());
}

void BarsTest::radioButtonSelectsTheCurve()
{
    giveSamples(view(), 3, "Quatre");
    view().store().cursorIndex = 7;
    static_cast<QAbstractButton *>(control(BarId::Display, cmd::SelectCurve4))->click();
    QCOMPARE(view().store().currentCurve, 3);
    QCOMPARE(view().store().cursorIndex, 0);
    QCOMPARE(text(BarId::Display, ctl::CurveName4), "Quatre");
    static_cast<QAbstractButton *>(control(BarId::Display, cmd::SelectCurve2))->click();
    QCOMPARE(view().store().currentCurve, 1);
}

void BarsTest::cursorReadout_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<int>("xControl");
    QTest::addColumn<int>("yControl");
    QTest::newRow("display bar") << false << ctl::DisplayCursorX << ctl::DisplayCursorY;
    QTest::newRow("edit bar") << true << ctl::EditCursorX << ctl::EditCursorY;
}

void BarsTest::cursorReadout()
{
    QFETCH(bool, editMode);
    QFETCH(int, xControl);
    QFETCH(int, yControl);
    CurveStore &store = view().store();
    editSlot(store, store.currentCurve, [](CurveSlot &curve) {
        for (std::size_t i = 0; i < 64; ++i)
            curve.sampledPoints[i] = {12.5 * static_cast<double>(i), 1.0 / 3.0};
    });
    if (editMode)
        QVERIFY(frame().runCommand(cmd::EditMode));
    const BarId bar = editMode ? BarId::Edit : BarId::Display;
    view().grab();                      // paints
    QCOMPARE(text(bar, xControl), "");  // the cursor is off
    store.cursorOn = true;
    store.cursorIndex = 3;
    view().grab();  // paints
    QCOMPARE(text(bar, xControl), "37.50");
    QCOMPARE(text(bar, yControl), "0.33");
    const EditBarFields &edit = fields().edit;
    const DisplayBarFields &display = fields().display;
    QCOMPARE(editMode ? edit.cursorXText : display.cursorXText, "37.50");
    QCOMPARE(editMode ? display.cursorXText : edit.cursorXText, "");
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    BarsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_bars.moc"
