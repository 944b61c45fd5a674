// Pointer editing, the script box and the surface command on an offscreen
// 600 x 400 view, driven by synthesised mouse and key events.
#include "curves/number_text.h"
#include "fake_view_host.h"
#include "framework/command_ids.h"
#include "geometry/surface.h"
#include "test_support.h"
#include "view/plot_scene.h"
#include "view/pointer_editing.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <array>
#include <memory>

using namespace ombrelis;

namespace {

// Bounds 0..1000 on both axes: pixel (px, py) is world
// ((px - 20) * 1000 / 560, 1000 - (py - 20) * 1000 / 360).
std::unique_ptr<MyView> showView(FakeViewHost &host)
{
    auto view = std::make_unique<MyView>(host);
    view->resize(600, 400);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    // The platform drops a move to where the pointer already is; start each
    // view's pointer from one corner.
    QTest::mouseMove(view.get(), QPoint(1, 1));
    return view;
}

QString pair(const std::string &x, const std::string &y)
{
    return QString::fromStdString(x + "," + y);
}

QString pointText(CurvePoint p)
{
    return pair(formatNumber(p.x), formatNumber(p.y));
}

// Samples "x,y" get the default handles; "x,y/sx,sy/ex,ey" gives them.
void addSamples(CurveStore &store, const QString &setup)
{
    if (setup == QLatin1String("full")) {
        for (int k = 0; k < kMaxSamples; ++k)
            store.insertSample(60.0 * k, 500);
        return;
    }
    for (const QString &sample : setup.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QList<CurvePoint> points;
        for (const QString &point : sample.split(QLatin1Char('/')))
            points.append({point.section(QLatin1Char(','), 0, 0).toDouble(),
                           point.section(QLatin1Char(','), 1, 1).toDouble()});
        store.insertSample(points[0].x, points[0].y);
        if (points.size() == 3) {
            const int k = store.current().sampleCount - 1;
            store.moveStartTangent(k, points[1]);
            store.moveEndTangent(k, points[2]);
        }
    }
}

// Plays space-separated steps: L/l left press/release, R/r right, M move,
// each at "x,y" client pixels (also outside the view); > and < the arrow
// keys; P"x,y" types the point fields, C presses "Create"; V turns on
// vertical tangents.
void play(MyView &view, const QString &gesture)
{
    for (const QString &step : gesture.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString args = step.mid(1);
        const QPoint at(args.section(QLatin1Char(','), 0, 0).toInt(),
                        args.section(QLatin1Char(','), 1, 1).toInt());
        switch (step[0].toLatin1()) {
        case 'L':
            QTest::mousePress(&view, Qt::LeftButton, {}, at);
            break;
        case 'l':
            QTest::mouseRelease(&view, Qt::LeftButton, {}, at);
            break;
        case 'R':
            QTest::mousePress(&view, Qt::RightButton, {}, at);
            break;
        case 'r':
            QTest::mouseRelease(&view, Qt::RightButton, {}, at);
            break;
        case 'M':
            QTest::mouseMove(&view, at);
            break;
        case 'm': {  // a move with no button held, whatever was pressed
            QMouseEvent move(QEvent::MouseMove, QPointF(at), view.mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&view, &move);
            break;
        }
        case '>':
            QTest::keyClick(&view, Qt::Key_Right);
            break;
        case '<':
            QTest::keyClick(&view, Qt::Key_Left);
            break;
        case 'P': {
            EditBarFields &edit = view.host().barFields().edit;
            edit.pointXText = args.section(QLatin1Char(','), 0, 0).toStdString();
            edit.pointYText = args.section(QLatin1Char(','), 1, 1).toStdString();
            break;
        }
        case 'C':
            view.commands().find(cmd::CreateSample)->handler();
            break;
        case 'V':
            view.store().verticalTangents = true;
            break;
        default:
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
        }
    }
}

// What a row can check, by name.
QString observe(const MyView &view, const FakeViewHost &host, const QString &key)
{
    const CurveStore &store = view.store();
    const CurveSlot &curve = store.current();
    const auto flag = [](bool on) { return on ? QLatin1Char('1') : QLatin1Char('0'); };
    if (key == QLatin1String("samples")) {
        QStringList samples;
        for (int k = 0; k < curve.sampleCount; ++k)
            samples << pointText(curve.samples[k]);
        return samples.join(QLatin1Char(' '));
    }
    if (key.startsWith(QLatin1String("start")))
        return pointText(curve.startTangents[key.mid(5).toInt()]);
    if (key.startsWith(QLatin1String("end")))
        return pointText(curve.endTangents[key.mid(3).toInt()]);
    if (key == QLatin1String("count"))
        return QString::number(curve.sampleCount);
    if (key == QLatin1String("hit"))
        return QString::number(view.pointer().hitSample);
    if (key == QLatin1String("cursor"))
        return QString::number(store.cursorIndex);
    if (key == QLatin1String("beeps"))
        return QString::number(host.beeps);
    if (key == QLatin1String("capture"))
        return QString(flag(view.holdsCapture()));
    if (key == QLatin1String("flags"))
        return QString() + flag(view.pointer().dragSample) + flag(view.pointer().dragStartTangent) +
               flag(view.pointer().dragEndTangent) + flag(view.pointer().dragCursor);
    if (key == QLatin1String("point"))
        return pair(host.bars.edit.pointXText, host.bars.edit.pointYText);
    if (key == QLatin1String("readout"))
        return pair(host.bars.display.cursorXText, host.bars.display.cursorYText);
    if (key == QLatin1String("editReadout"))
        return pair(host.bars.edit.cursorXText, host.bars.edit.cursorYText);
    return QStringLiteral("<unknown key>");
}

}  // namespace

class TestPointerView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gestures_data();
    void gestures();
    void scriptBox_data();
    void scriptBox();
    void surface_data();
    void surface();
    void wholeEditingSession();
    void pressOnADrawnSquarePicksIt_data();
    void pressOnADrawnSquarePicksIt();
};

void TestPointerView::gestures_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<bool>("cursorOn");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QString>("expected");  // "key=value;key!=value;..."

    // Sample (500, 500) is pixel (300, 200); the cursor's grip at index 0
    // (x = 0) spans [14, 26) x [380, 392).
    QTest::newRow("display mode: a press only grabs the cursor grip")
        << false << true << "500,500"
        << "L300,200 M400,300 l400,300 L20,385 M300,385 l300,385"
        << "samples=500.00,500.00;hit=-1;cursor=31;flags=0000;capture=0";
    QTest::newRow("sample and handle under the press: both move, sample first")
        << true << false << "500,500/502,500/550,500"
        << "L300,200 M356,290 l356,290"
        << "samples=600.00,250.00;start0=600.00,250.00;end0=650.00,250.00;point=600.00,250.00;"
           "flags=0000;capture=0";
    QTest::newRow("sample dragged over a lower-index sample carries on with it")
        << true << false << "250,500 750,500"
        << "L440,200 M300,200 M160,200 M216,110 l216,110"
        << "samples=350.00,750.00 250.00,500.00;hit=0";
    QTest::newRow("handle dragged over another sample switches to its handle")
        << true << false << "250,500 750,500"
        << "L188,200 M440,200 M356,290 l356,290"
        << "samples=250.00,500.00 750.00,500.00;end0=750.00,500.00;end1=600.00,250.00;hit=1";
    QTest::newRow("sample drag leaving the view stops; fields keep showing it")
        << true << false << "500,500"
        << "L300,200 M356,290 M650,100 M-30,420 l-30,420"
        << "samples=600.00,250.00;point=600.00,250.00;editReadout=-89.29,-111.11";
    QTest::newRow("a drag whose release was lost ends at the next move without a button")
        << true << false << "500,500"
        << "L300,200 M356,290 m400,300"
        << "samples=600.00,250.00;capture=0";
    QTest::newRow("handle drag follows outside the view")
        << true << false << "500,500"
        << "L272,200 M650,100 l650,100"
        << "samples=500.00,500.00;start0=1125.00,777.78";
    QTest::newRow("right click on a sample deletes at the press only")
        << true << false << "250,500 500,500 750,500"
        << "R300,200 r300,200"
        << "samples=250.00,500.00 750.00,500.00;capture=0;beeps=0";
    QTest::newRow("right press on empty space, release outside: inserted there")
        << true << false << "250,500"
        << "R300,300 r700,200"
        << "samples=250.00,500.00 1214.29,500.00;capture=0";
    QTest::newRow("right clicks in display mode do nothing") << false << false << "250,500"
                                                             << "R300,300 r300,300"
                                                             << "count=1;capture=0";
    QTest::newRow("17th sample by the pointer beeps, nothing changes") << true << false << "full"
                                                                       << "R590,390 r590,390"
                                                                       << "count=16;beeps=1";
    QTest::newRow("17th sample by Create beeps, nothing changes") << true << false << "full"
                                                                  << "P10,10 C"
                                                                  << "count=16;beeps=1";
    QTest::newRow("Create at a hovered sample's x goes after it")
        << true << false << "250,500 500,500/1,1/2,2"
        << "M300,200 C"
        << "samples=250.00,500.00 500.00,500.00 "
           "500.00,500.00;start1=1.00,1.00;start2=450.00,500.00";
    QTest::newRow("Create left of all samples gives index 0")
        << true << false << "100,1 200,1"
        << "P50,7 C"
        << "samples=50.00,7.00 100.00,1.00 200.00,1.00";
    QTest::newRow("default handles") << true << false << ""
                                     << "P500,500 C"
                                     << "start0=450.00,500.00;end0=550.00,500.00";
    QTest::newRow("default handles, vertical") << true << false << ""
                                               << "V P500,500 C"
                                               << "start0=500.00,450.00;end0=500.00,550.00";
    QTest::newRow("Create refuses a number beyond doubles") << true << false << ""
                                                            << "P1e999,5 C"
                                                            << "count=0;beeps=1";
    QTest::newRow("Create reads the fields like atof") << true << false << ""
                                                       << "P12.5abc,x7 C"
                                                       << "samples=12.50,0.00;beeps=0";
    QTest::newRow("cursor dragged to the middle") << true << true << ""
                                                  << "L20,385 M300,385 l300,385"
                                                  << "cursor=31;flags=0000";
    QTest::newRow("cursor dragged right of the sampled range goes to 0")
        << false << true << ""
        << "L20,385 M300,385 M590,385 l590,385"
        << "cursor=0";
    QTest::newRow("cursor dragged left of the sampled range goes to 0")
        << false << true << ""
        << "L20,385 M300,385 M5,385 l5,385"
        << "cursor=0";
    QTest::newRow("arrow keys step right") << false << true << ""
                                           << "> > >"
                                           << "cursor=3";
    QTest::newRow("Left at 0 goes to the last point") << false << false << ""
                                                      << "<"
                                                      << "cursor=63";
    QTest::newRow("Right at the last point goes to 0") << true << true << ""
                                                       << "< >"
                                                       << "cursor=0";
    QTest::newRow("cursor off: moves write the display readout") << false << false << ""
                                                                 << "M300,200 M356,290"
                                                                 << "readout=600.00,250.00";
    QTest::newRow("cursor off, edit mode: the edit bar's readout")
        << true << false << ""
        << "M356,290"
        << "editReadout=600.00,250.00;readout!=600.00,250.00";
    QTest::newRow("cursor on: moves leave the readouts") << false << true << ""
                                                         << "M356,290"
                                                         << "readout!=600.00,250.00";
}

void TestPointerView::gestures()
{
    QFETCH(bool, editMode);
    QFETCH(bool, cursorOn);
    QFETCH(QString, setup);
    QFETCH(QString, gesture);
    QFETCH(QString, expected);
    FakeViewHost host;
    auto view = showView(host);
    QVERIFY(view);
    CurveStore &store = view->store();
    store.editMode = editMode;
    store.cursorOn = cursorOn;
    editSlot(store, store.currentCurve, [](CurveSlot &curve) {
        for (int j = 0; j < curve.samplingCount; ++j)
            curve.sampledPoints[j] = {1000.0 * j / (curve.samplingCount - 1), 500};
    });
    addSamples(store, setup);

    play(*view, gesture);
    for (const QString &check : expected.split(QLatin1Char(';'))) {
        const bool negated = check.contains(QLatin1String("!="));
        const QString key = check.section(QLatin1Char('='), 0, 0).remove(QLatin1Char('!'));
        const QString value = check.section(QLatin1Char('='), 1);
        const QString actual = observe(*view, host, key);
        QVERIFY2((actual == value) != negated,
                 qPrintable(key + ": " + actual + (negated ? " == " : " != ") + value));
    }
}

void TestPointerView::scriptBox_data()
{
    QTest::addColumn<QString>("active");  // curves active before the run, "124"
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("selected");  // the display bar's curve afterwards
    QTest::addColumn<QString>("scriptText");

    const QString syntax = QStringLiteral("Syntaxe incorrecte pour le script!");
    QTest::newRow("typed lower case arrives upper case")
        << "1"
        << "c3=c1" << QStringList{} << 2 << "C3=C1";
    QTest::newRow("leaving the empty box fills the first free curve")
        << "12"
        << "" << QStringList{} << 2 << "";
    QTest::newRow("leaving the empty box with no free curve")
        << "1234"
        << "" << QStringList{"Place indisponible pour le script!"} << 0 << "";
    QTest::newRow("bad left member")
        << ""
        << "C5=X" << QStringList{"Affectation avec membre gauche incorrect!"} << 0 << "";
    QTest::newRow("unbalanced: both messages in order")
        << "2"
        << "C2=(C1" << QStringList{"Parenthésage incorrecte dans le script!", syntax} << 0 << "";
    QTest::newRow("one message per faulty operand, nothing changed")
        << ""
        << "C4=Y+C1*Z" << QStringList{syntax, syntax} << 0 << "";
    QTest::newRow("too deep: shown in the same dialog")
        << ""
        << "C1=" + QStringLiteral("X+").repeated(300) + "X"
        << QStringList{"Script trop long ou trop imbriqué!"} << 0 << "";
}

void TestPointerView::scriptBox()
{
    QFETCH(QString, active);
    QFETCH(QString, line);
    QFETCH(int, selected);
    QFETCH(QString, scriptText);
    FakeViewHost host;
    MyView view(host);
    for (QChar curve : active)
        view.store().setActive(curve.digitValue() - 1, true);
    host.bars.display.scriptLine = line.toStdString();

    view.controlNotified(ctl::ScriptBox, kEditLostFocus);
    QStringList shown;
    for (const ScriptedPrompts::Question &question : host.scripted.asked)
        shown << question.detail;
    QTEST(shown, "messages");
    QCOMPARE(host.bars.display.selectedCurve, selected);
    QCOMPARE(view.store().currentCurve, selected);
    QCOMPARE(QString::fromStdString(view.store().current().scriptText), scriptText);
}

void TestPointerView::surface_data()
{
    QTest::addColumn<double>("y0");
    QTest::addColumn<double>("y1");
    QTest::addColumn<QString>("text");

    QTest::newRow("straight line") << 0.0 << 1000.0 << "500000.00";
    QTest::newRow("below zero") << -100.0 << -100.0 << "-100000.00";
}

// The straight line has its handles on the line at one and two thirds.
void TestPointerView::surface()
{
    QFETCH(double, y0);
    QFETCH(double, y1);
    FakeViewHost host;
    MyView view(host);
    editSlot(view.store(), view.store().currentCurve, [&](CurveSlot &curve) {
        curve.sampleCount = 2;
        curve.samples[0] = {0, y0};
        curve.endTangents[0] = {1000.0 / 3, y0 + (y1 - y0) / 3};
        curve.samples[1] = {1000, y1};
        curve.startTangents[1] = {2000.0 / 3, y0 + (y1 - y0) * 2 / 3};
    });
    view.store().resampleDrawnCurves();  // as the last paint left them

    QVERIFY(view.commands().find(cmd::Surface));
    view.commands().find(cmd::Surface)->handler();
    QTEST(QString::fromStdString(host.bars.display.surfaceText), "text");
    QVERIFY(host.writes[static_cast<int>(BarId::Display)] > 0);
}

// New, Edit, three right clicks, a drag, OK, a script, Sampled mode, the
// cursor stepped by the keys, the surface: through the view's own events.
void TestPointerView::wholeEditingSession()
{
    FakeViewHost host;
    auto view = showView(host);
    QVERIFY(view);
    CurveStore &store = view->store();
    store.editMode = true;
    view->showEditBars();

    play(*view, "R160,200 r160,200 R300,110 r300,110 R440,290 r440,290 L300,110 M300,65 l300,65");
    QCOMPARE(observe(*view, host, "samples"),
             QStringLiteral("250.00,500.00 500.00,875.00 750.00,250.00"));
    QCOMPARE(observe(*view, host, "point"), QStringLiteral("500.00,875.00"));
    QImage editing = view->grab().toImage();
    QCOMPARE(editing.pixelColor(163, 198), QColor(Qt::black));  // the mark of sample 0
    QCOMPARE(editing.pixelColor(146, 200), QColor(Qt::blue));   // its start handle's line

    store.editMode = false;
    view->showDisplayBars();
    view->grab();  // the paint samples curve 1
    host.bars.display.scriptLine = "C2=C1*2";
    view->controlNotified(ctl::ScriptBox, kEditLostFocus);
    QCOMPARE(store.currentCurve, 1);
    QCOMPARE(host.bars.display.curveNames[1], std::string("C1*2"));
    QCOMPARE(host.bars.display.xLegendText, std::string("Xscript"));
    QCOMPARE(store.slots()[1].sampledPoints[20].y, 2 * store.slots()[0].sampledPoints[20].y);

    store.smoothing = false;
    store.cursorOn = true;
    play(*view, "> > > < < < < <");
    QCOMPARE(store.cursorIndex, 62);
    view->commands().find(cmd::Surface)->handler();
    QCOMPARE(host.bars.display.surfaceText, formatNumber(2 * computeSurface(store.slots()[0])));

    // Curve 2 in black bars over curve 1's red ones; the cursor's grip at
    // x = 1000 * 62 / 63, pixel 571, spans [565, 577) below row 380.
    const QImage shown = view->grab().toImage();
    QCOMPARE(shown.pixelColor(565, 386), QColor(Qt::black));
    QCOMPARE(shown.pixelColor(568, 386), QColor(Qt::white));  // inside the grip, left of the label
    QCOMPARE(shown.pixelColor(571, 250), QColor(Qt::black));  // the cursor line
    QCOMPARE(shown.pixelColor(300, 379),
             QColor(Qt::black));  // the bottom of curve 2's bar at x = 500
    QVERIFY(host.scripted.asked.isEmpty());
}

void TestPointerView::pressOnADrawnSquarePicksIt_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("150 %") << 1.5;
    QTest::newRow("200 %") << 2.0;
}

// The view is told the ratio (the offscreen platform has one screen of
// ratio 1); the presses are real mouse events at the logical position of a
// device pixel of the frame. A mark's pick area is the 6 x 6 (the grip's
// 12 x 12) client-pixel square scaled around the device pixel where it is
// drawn: its corners pick, one device pixel beyond them nothing.
void TestPointerView::pressOnADrawnSquarePicksIt()
{
    QFETCH(double, ratio);
    FakeViewHost host;
    auto view = showView(host);
    QVERIFY(view);
    view->setPlotRatio(ratio);
    CurveStore &store = view->store();
    store.editMode = true;
    addSamples(store, "150,300 500,700 853,421");
    // At 100 % the view paints straight into the backing store.
    QImage frame;
    const auto paint = [&] {
        view->repaint();
        frame = ratio == 1 ? view->grab().toImage() : view->lastFrame();
    };
    paint();
    QCOMPARE(frame.size(), QSize(qRound(600 * ratio), qRound(400 * ratio)));
    QCOMPARE(view->lastFrame().isNull(), ratio == 1);  // in place where the store takes it

    const int width = lineWidthAt(ratio);
    const ClientSize device = deviceClient({600, 400}, ratio);
    const CurveSlot &curve = store.current();
    using Flags = std::array<bool, 4>;  // sample, start handle, end handle, grip
    const auto press = [&](int x, int y) {
        const QPointF at(x / ratio, y / ratio);
        Flags flags{};
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const bool down = type == QEvent::MouseButtonPress;
            QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton,
                              down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            if (!down) {  // what the press picked, before the release clears it
                const PointerState &pointer = view->pointer();
                flags = {pointer.dragSample, pointer.dragStartTangent, pointer.dragEndTangent,
                         pointer.dragCursor};
            }
            QApplication::sendEvent(view.get(), &event);
        }
        return flags;
    };
    // The mark drawn from `topLeft`, `side` device pixels wide, and its pick
    // area [left, right) x [top, bottom) in device pixels.
    const auto pressArea = [&](PixelPoint topLeft, int side, double left, double top, double right,
                               double bottom, Flags picked) {
        QVERIFY(frame.pixel(topLeft.x, topLeft.y) == qRgb(0, 0, 0));
        // The bottom-left corner: the cursor's label may lie over the right.
        QVERIFY(frame.pixel(topLeft.x, topLeft.y + side - 1) == qRgb(0, 0, 0));
        const QRect inside(QPoint(qCeil(left), qCeil(top)),
                           QPoint(qCeil(right) - 1, qCeil(bottom) - 1));
        QVERIFY(QRect(topLeft.x, topLeft.y, side, side).contains(inside));
        for (const QPoint corner :
             {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight()})
            QCOMPARE(press(corner.x(), corner.y()), picked);
        QCOMPARE(press(inside.left() - 1, inside.top()), Flags{});
        QCOMPARE(press(inside.right() + 1, inside.bottom()), Flags{});
        QCOMPARE(press(inside.left(), inside.top() - 1), Flags{});
        QCOMPARE(press(inside.right(), inside.bottom() + 1), Flags{});
    };
    const int half = devicePixels(kMarkHalf, ratio);
    for (int k = 0; k < curve.sampleCount; ++k) {
        const CurvePoint anchors[] = {curve.startTangents[k], curve.samples[k],
                                      curve.endTangents[k]};
        for (int kind = 0; kind < 3; ++kind) {
            const PixelPoint c = worldToScreen(curve, device, anchors[kind].x, anchors[kind].y);
            pressArea({c.x - half, c.y - half}, 2 * half + width, c.x - 3 * ratio, c.y - 3 * ratio,
                      c.x + 3 * ratio, c.y + 3 * ratio, {kind == 1, kind == 0, kind == 2, false});
            QCOMPARE(view->pointer().hitSample, k);
        }
    }
    // The grip: a square hanging below the bottom end of the cursor line.
    store.cursorOn = true;
    store.cursorIndex = 30;
    paint();
    const PixelPoint q = worldToScreen(curve, device, curve.sampledPoints[30].x, curve.ymin);
    const int gripHalf = devicePixels(6, ratio);
    pressArea({q.x - gripHalf, q.y}, 2 * gripHalf + width, q.x - 6 * ratio, q.y, q.x + 6 * ratio,
              q.y + 12 * ratio, {false, false, false, true});
}

QTEST_MAIN(TestPointerView)
#include "test_pointer_view.moc"
