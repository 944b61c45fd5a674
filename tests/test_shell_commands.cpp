// Start-up, and the menus, toolbar, accelerators and routing built from the
// command table.
#include "app/command_table.h"
#include "bars/axis_bar.h"
#include "curves/number_text.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"
#include "test_shell.h"
#include "view/plot_mapping.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

using namespace ombrelis;

namespace {

// One line of the menu tree as shown: the popup path, the text, the
// identifier (0 for a separator, -1 for a popup), check mark and greying.
struct MenuLine {
    QString path;
    QString text;
    int id;
    bool checked;
    bool enabled;
};

// Opens every popup, as the user would, so that its items are brought up
// to date, and lists what it shows.
void collect(QMenu *menu, const QString &path, QList<MenuLine> &lines)
{
    Q_EMIT menu->aboutToShow();
    const auto actions = menu->actions();
    for (QAction *action : actions) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            lines.append({path, QStringLiteral("-"), 0, false, true});
        else if (QMenu *popup = action->menu()) {
            lines.append({path, popup->title(), -1, false, action->isEnabled()});
            collect(popup, path + QLatin1Char('/') + popup->title(), lines);
        } else {
            lines.append({path, action->text(), action->data().toInt(), action->isChecked(),
                          action->isEnabled()});
        }
    }
}

QList<MenuLine> menuLines(CMainFrame &frame)
{
    QList<MenuLine> lines;
    const auto menus = frame.menuBar()->actions();
    for (QAction *top : menus) {
        lines.append({QString(), top->text(), -1, false, top->isEnabled()});
        collect(top->menu(), top->text(), lines);
    }
    return lines;
}

}  // namespace

void ShellCommandsTest::init()
{
    shell = std::make_unique<ShellFixture>();
    QVERIFY(shell->start());
}

void ShellCommandsTest::cleanup()
{
    QVERIFY2(shell->prompts.mismatches.isEmpty(), qPrintable(shell->prompts.mismatches.join('\n')));
    shell.reset();
}

void ShellCommandsTest::startsWithOneEmptyWindow()
{
    CMainFrame &frame = shell->frame();
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Ombrelis"));
    QCOMPARE(shell->windows().size(), 1);
    CChildFrame *child = shell->activeFrame();
    QVERIFY(child);
    QCOMPARE(child->document()->title(), QStringLiteral("Untitled"));
    QCOMPARE(child->windowTitle(), QStringLiteral("Untitled"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis - Untitled"));
    QCOMPARE(frame.registry().size(), 1u);
    QCOMPARE(frame.registry()[0].frame, child);
    QCOMPARE(frame.registry()[0].view, child->view());
    QCOMPARE(frame.windowCount(), 1);
    for (const CurveSlot &slot : child->view()->store().slots())
        QVERIFY(!slot.active);
    QCOMPARE(frame.frameGeometry(), QRect(60, 41, 741, 644));
    QVERIFY(!frame.findChild<QStatusBar *>());
    QCOMPARE(frame.toolBarArea(frame.toolBar()), Qt::TopToolBarArea);
    QVERIFY(frame.toolBar()->isVisible());
    QVERIFY(frame.acceptDrops());
}

void ShellCommandsTest::menuTree_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("enabled");

    // Items of later features are greyed until their handlers exist.
    const MenuLine expected[] = {
        {"", "&Fichier", -1, false, true},
        {"&Fichier", "&Nouveau\tCtrl+N", 57600, false, true},
        {"&Fichier", "-", 0, false, true},
        {"&Fichier", "Sauvegarder tout", 32814, false, true},
        {"&Fichier", "-", 0, false, true},
        {"&Fichier", "Courbe &1", -1, false, true},
        {"&Fichier/Courbe &1", "&Open", 32772, false, true},
        {"&Fichier/Courbe &1", "&Save", 32776, false, true},
        {"&Fichier/Courbe &1", "&New/Save as", 32777, false, true},
        {"&Fichier", "Courbe &2", -1, false, true},
        {"&Fichier/Courbe &2", "&Open", 32778, false, true},
        {"&Fichier/Courbe &2", "&Save", 32779, false, true},
        {"&Fichier/Courbe &2", "&New/Save as", 32780, false, true},
        {"&Fichier", "Courbe &3", -1, false, true},
        {"&Fichier/Courbe &3", "&Open", 32781, false, true},
        {"&Fichier/Courbe &3", "&Save", 32782, false, true},
        {"&Fichier/Courbe &3", "&New/Save as", 32783, false, true},
        {"&Fichier", "Courbe &4", -1, false, true},
        {"&Fichier/Courbe &4", "&Open", 32784, false, true},
        {"&Fichier/Courbe &4", "&Save", 32785, false, true},
        {"&Fichier/Courbe &4", "&New/Save as", 32786, false, true},
        {"&Fichier", "-", 0, false, true},
        {"&Fichier", "Fichier récent", 57616, false, false},
        {"&Fichier", "-", 0, false, true},
        {"&Fichier", "&Quitter", 57665, false, true},
        {"", "&Edition", -1, false, true},
        {"&Edition", "&Annuler\tCtrl+Z", 57643, false, true},
        {"&Edition", "&Rétablir\tCtrl+Y", 32817, false, true},
        {"&Edition", "-", 0, false, true},
        {"&Edition", "&Couper\tCtrl+X", 57635, false, true},
        {"&Edition", "&Copier\tCtrl+C", 57634, false, true},
        {"&Edition", "C&oller\tCtrl+V", 57637, false, true},
        {"&Edition", "-", 0, false, true},
        {"&Edition", "&Edit", 32805, false, true},
        {"", "&Affichage", -1, false, true},
        {"&Affichage", "Changer couleur", 32788, false, true},
        {"&Affichage", "Curseur", 32789, false, true},
        {"&Affichage", "-", 0, false, true},
        {"&Affichage", "Mode d'affichage", -1, false, true},
        {"&Affichage/Mode d'affichage", "Smoothing", 32790, true, true},
        {"&Affichage/Mode d'affichage", "Sampled", 32791, false, true},
        {"&Affichage", "-", 0, false, true},
        {"&Affichage", "Axes", 32792, false, true},
        {"&Affichage", "Cadre", 32816, false, true},
        {"&Affichage", "-", 0, false, true},
        {"&Affichage", "Script", 32793, false, false},
        {"&Affichage", "-", 0, false, true},
        {"&Affichage", "&Toolbar", 59392, true, true},
        {"", "&Option", -1, false, true},
        {"&Option", "&Echantillonage", -1, false, true},
        {"&Option/&Echantillonage", "16 points", 32794, false, true},
        {"&Option/&Echantillonage", "32 points", 32795, false, true},
        {"&Option/&Echantillonage", "64 points", 32796, true, true},
        {"&Option/&Echantillonage", "128 points", 32797, false, true},
        {"&Option/&Echantillonage", "256 points", 32798, false, true},
        {"&Option/&Echantillonage", "Personnalisé", 32799, false, true},
        {"&Option", "-", 0, false, true},
        {"&Option", "&Interpolation", 32800, false, true},
        {"&Option", "-", 0, false, true},
        {"&Option", "&Tangentes", -1, false, true},
        {"&Option/&Tangentes", "Verticale", 1060, false, true},
        {"&Option/&Tangentes", "Réglage", 32808, false, true},
        {"&Option", "-", 0, false, true},
        {"&Option", "&Calcul des surfaces", 32802, false, true},
        {"", "Fe&netre", -1, false, true},
        {"Fe&netre", "&Cascade", 57650, false, true},
        {"Fe&netre", "Mosaique &Verticale", 57652, false, true},
        {"Fe&netre", "Mosaique &Horizontale", 57651, false, true},
        {"Fe&netre", "-", 0, false, true},  // then the list of open windows
        {"Fe&netre", "&1 Untitled", 0, true, true},
        {"", "&?", -1, false, true},
        {"&?", "&A propos de Tolvane...", 57664, false, true},
    };
    int index = 0;
    for (const MenuLine &line : expected) {
        const QString name = QStringLiteral("%1 %2 %3").arg(index).arg(line.path, line.text);
        QTest::newRow(qPrintable(name))
            << index++ << line.path << line.text << line.id << line.checked << line.enabled;
    }
    QTest::newRow("nothing more") << index << QString() << QString() << 0 << false << true;
}

void ShellCommandsTest::menuTree()
{
    QFETCH(int, index);
    const QList<MenuLine> lines = menuLines(shell->frame());
    if (QTest::currentDataTag() == QLatin1String("nothing more")) {
        QCOMPARE(lines.size(), index);
        return;
    }
    QVERIFY(index < lines.size());
    const MenuLine &line = lines.at(index);
    QTEST(line.path, "path");
    QTEST(line.text, "text");
    QTEST(line.id, "id");
    QTEST(line.checked, "checked");
    QTEST(line.enabled, "enabled");
}

void ShellCommandsTest::toolbarButtons()
{
    struct Button {
        int id;
        const char *tooltip;
    };
    const Button expected[] = {
        {cmd::FileNew, "Nouveau"},
        {cmd::SaveAll, "Save All"},
        {0, ""},
        {cmd::Cut, "Couper"},
        {cmd::Copy, "Copier"},
        {cmd::Paste, "Coller"},
        {0, ""},
        {cmd::Axes, "Axes"},
        {cmd::Frame, ""},
        {cmd::TangentLength, "Reglage tangentes"},
        {cmd::CurveColour, "Curves Color"},
        {cmd::AppAbout, ""},
    };
    QToolBar *toolBar = shell->frame().toolBar();
    QCOMPARE(toolBar->iconSize(), QSize(16, 15));
    const auto actions = toolBar->actions();
    QCOMPARE(actions.size(), std::size(expected));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction *action = actions.at(i);
        const Button &button = expected[i];
        if (button.id == 0) {
            QVERIFY2(action->isSeparator(), qPrintable(QString::number(i)));
            continue;
        }
        QCOMPARE(action->data().toInt(), button.id);
        QVERIFY(!action->icon().isNull());
        QCOMPARE(action->icon().pixmap(QSize(16, 15)).size(), QSize(16, 15));
        // The button shows its tooltip; a command without one leaves the
        // tooltip that was showing, rather than showing its menu text.
        QWidget *widget = toolBar->widgetForAction(action);
        const QPoint where = widget->mapToGlobal(QPoint(4, 4));
        QToolTip::showText(where, QStringLiteral("none"), widget);
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), where);
        QCoreApplication::sendEvent(widget, &help);
        QCOMPARE(QToolTip::text(),
                 button.tooltip[0] ? QString::fromUtf8(button.tooltip) : QStringLiteral("none"));
        // Menu item and button are one command: same enabled state.
        QCOMPARE(widget->isEnabled(), shell->frame().commandState(button.id).enabled);
    }
    QToolTip::hideText();
}

void ShellCommandsTest::acceleratorTable()
{
    const QList<std::pair<QKeySequence, int>> expected = {
        {QKeySequence(QStringLiteral("Ctrl+N")), 57600},
        {QKeySequence(QStringLiteral("Ctrl+O")), 57601},
        {QKeySequence(QStringLiteral("Ctrl+S")), 57603},
        {QKeySequence(QStringLiteral("Ctrl+Z")), 57643},
        {QKeySequence(QStringLiteral("Ctrl+X")), 57635},
        {QKeySequence(QStringLiteral("Ctrl+C")), 57634},
        {QKeySequence(QStringLiteral("Ctrl+V")), 57637},
        {QKeySequence(QStringLiteral("Alt+Backspace")), 57643},
        {QKeySequence(QStringLiteral("Ctrl+Y")), 32817},
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), 32817},
        {QKeySequence(QStringLiteral("Shift+Del")), 57635},
        {QKeySequence(QStringLiteral("Ctrl+Ins")), 57634},
        {QKeySequence(QStringLiteral("Shift+Ins")), 57637},
        {QKeySequence(QStringLiteral("F6")), 57680},
        {QKeySequence(QStringLiteral("Shift+F6")), 57681},
    };
    QList<std::pair<QKeySequence, int>> actual;
    for (const auto &[shortcut, id] : shell->frame().accelerators())
        actual.append({shortcut->key(), id});
    QCOMPARE(actual, expected);
}

// Ctrl+N works only while a document window is open; the menu item and the
// toolbar button always work.
void ShellCommandsTest::acceleratorsNeedADocumentWindow()
{
    CMainFrame &frame = shell->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(shell->windows().size(), 2);

    frame.mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QCOMPARE(shell->windows().size(), 0);
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(shell->windows().size(), 0);

    frame.commandAction(cmd::FileNew)->trigger();
    QCOMPARE(shell->windows().size(), 1);
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(shell->windows().size(), 2);
}

void ShellCommandsTest::everyIdentifierIsInTheTable()
{
    QList<int> ids;
    const std::function<void(std::span<const MenuEntry>)> walk =
        [&](std::span<const MenuEntry> entries) {
            for (const MenuEntry &entry : entries) {
                if (entry.kind == MenuKind::Item)
                    ids.append(entry.id);
                walk(entry.children);
            }
        };
    walk(::menuTree());
    for (int id : toolbarLayout()) {
        if (id != kToolbarSeparator)
            ids.append(id);
    }
    for (const Accelerator &accelerator : ::acceleratorTable())
        ids.append(accelerator.id);
    for (int id : ids)
        QVERIFY2(findCommand(id), qPrintable(QString::number(id)));
    QList<int> tableIds;
    for (const CommandInfo &info : commandTable()) {
        QVERIFY2(!tableIds.contains(info.id), qPrintable(QString::number(info.id)));
        tableIds.append(info.id);
    }
}

// Each bound handler sits on the object the table names, for the windows
// made both ways.
void ShellCommandsTest::handlersSitWhereTheTableSays()
{
    const QString file = shell->curveFile(QStringLiteral("a.crv"));
    for (int pass = 0; pass < 2; ++pass) {
        for (const CommandInfo &info : commandTable()) {
            const CommandRoute found = shell->frame().route(info.id);
            if (found.entry)
                QVERIFY2(found.owner == info.owner, qPrintable(QString::number(info.id)));
            if (info.owner == CommandOwner::Nobody)
                QVERIFY2(!shell->frame().commandState(info.id).enabled,
                         qPrintable(QString::number(info.id)));
        }
        QVERIFY(shell->app->openDocumentFile(file));
    }
}

void ShellCommandsTest::routeOffersTheViewFirst()
{
    CMainFrame &frame = shell->frame();
    QStringList calls;
    constexpr int id = cmd::Script;
    QVERIFY(!frame.runCommand(id));  // nothing handles it: disabled
    QVERIFY(!frame.commandAction(id)->isEnabled());

    frame.commands().bind(id, [&] { calls << QStringLiteral("frame"); });
    shell->activeFrame()->commands().bind(id, [&] { calls << QStringLiteral("child"); });
    shell->activeFrame()->document()->commands().bind(id,
                                                      [&] { calls << QStringLiteral("document"); });
    shell->app->commands().bind(id, [&] { calls << QStringLiteral("application"); });
    frame.activeView()->commands().bind(
        id, [&] { calls << QStringLiteral("view"); },
        [](CommandUpdate &state) { state.setCheck(true); });
    QVERIFY(frame.runCommand(id));
    QCOMPARE(calls, QStringList{QStringLiteral("view")});
    QVERIFY(frame.commandAction(id)->isEnabled());
    QVERIFY(frame.commandAction(id)->isChecked());

    // A disabling update handler stops the command, whatever sends it.
    frame.activeView()->commands().bind(
        id, [&] { calls << QStringLiteral("view"); },
        [](CommandUpdate &state) { state.enable(false); });
    QVERIFY(!frame.runCommand(id));
    QCOMPARE(calls.size(), 1);

    // Without a document window the route starts at the main frame.
    frame.mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QVERIFY(frame.runCommand(id));
    QCOMPARE(calls.last(), QStringLiteral("frame"));
}

void ShellCommandsTest::scriptIsAlwaysGreyed()
{
    CMainFrame &frame = shell->frame();
    QVERIFY(!frame.runCommand(cmd::Script));
    frame.updateCommandStates();
    QVERIFY(!frame.commandAction(cmd::Script)->isEnabled());
    QVERIFY(shell->app->openDocumentFile(shell->curveFile(QStringLiteral("a.crv"))));
    frame.updateCommandStates();
    QVERIFY(!frame.commandAction(cmd::Script)->isEnabled());
}

// With nothing to undo or redo, Undo and Redo stay enabled and do nothing,
// with or without a window.
void ShellCommandsTest::undoIsEnabledAndDoesNothing()
{
    CMainFrame &frame = shell->frame();
    QVERIFY(frame.runCommand(cmd::Undo));
    QVERIFY(frame.runCommand(cmd::Redo));
    frame.mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QVERIFY(frame.runCommand(cmd::Undo));
    QVERIFY(frame.runCommand(cmd::Redo));
    QVERIFY(frame.commandAction(cmd::Undo)->isEnabled());
    QVERIFY(frame.commandAction(cmd::Redo)->isEnabled());
    // Only the closed window asked its question.
    QCOMPARE(shell->prompts.asked.size(), 1);
    QCOMPARE(shell->prompts.count(ScriptedPrompts::Kind::ClosingWindow), 1);
}

// Each action is one step, played on from the one before. Undo, from the bar
// of the view's mode, gives back the curves and the current curve as they
// were before it and refills the bars; it keeps the mode and the edit
// backup. Redo gives back the curves after it.
void ShellCommandsTest::undoAndRedoEachAction()
{
    CMainFrame &frame = shell->frame();
    QVERIFY(shell->app->openDocumentFile(shell->curveFile(QStringLiteral("a.crv"))));
    const QString other = shell->curveFile(QStringLiteral("b.crv"));
    MyView &view = *frame.activeView();
    const CurveStore &store = view.store();
    AxisBarFields &bars = frame.barFields();
    const auto curves = [&] {
        return savedCurves(view) + char('1' + store.currentCurve) +
               frame.documentTitle(view).toUtf8();
    };
    const auto kept = [&] {
        return formatCurveFile(store.slots()[kBackupSlot]) + char('0' + store.editMode);
    };
    const auto at = [&](CurvePoint p) {
        const PixelPoint pixel =
            worldToScreen(store.current(), {view.width(), view.height()}, p.x, p.y);
        return QPoint(pixel.x, pixel.y);
    };
    const auto drag = [&](CurvePoint from, CurvePoint to) {
        QTest::mousePress(&view, Qt::LeftButton, {}, at(from));
        QTest::mouseMove(&view, at({(from.x + to.x) / 2, (from.y + to.y) / 2}));
        QTest::mouseMove(&view, at(to));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, at(to));
    };
    const auto leave = [&](BarId bar, int box, std::string &field, const char *text) {
        field = text;
        frame.writeBar(bar);
        view.controlNotified(box, kEditLostFocus);
    };
    const auto select = [&](int curve) {
        bars.display.selectedCurve = curve;
        view.selectCurve();
    };
    const auto run = [&](int id) { QVERIFY(frame.runCommand(id)); };
    const auto sample = [&](int k) { return store.current().samples[k]; };
    struct Row {
        const char *action;
        std::function<void()> prepare;  // changes no curve
        std::function<void()> act;
    };
    // clang-format off
    const Row rows[] = {
        {"script", {}, [&] { leave(BarId::Display, ctl::ScriptBox, bars.display.scriptLine, "C1=C3*2"); }},
        {"open a file", {}, [&] { shell->prompts.chooseFile(other); run(cmd::Curve2Open); }},
        {"sampling count", {}, [&] { run(cmd::Sampling256); }},
        {"colour", {}, [&] { shell->prompts.pickColour(0x00ff00); run(cmd::CurveColour); }},
        {"paste", [&] { run(cmd::Copy); select(3); }, [&] { run(cmd::Paste); }},
        {"cut", {}, [&] { run(cmd::Cut); }},
        {"insert", [&] { select(2); run(cmd::EditMode); }, [&] { QTest::mouseClick(&view, Qt::RightButton, {}, at({500, 300})); }},
        {"drag", {}, [&] { drag(sample(1), {600, 450}); }},
        {"delete", {}, [&] { QTest::mouseClick(&view, Qt::RightButton, {}, at(sample(1))); }},
        {"Create", {}, [&] { bars.edit.pointXText = "250"; leave(BarId::Edit, ctl::PointY, bars.edit.pointYText, "750"); run(cmd::CreateSample); }},
        {"bound", {}, [&] { leave(BarId::Edit, ctl::EditXmax, bars.edit.xmaxText, "2000"); }},
        {"legend", {}, [&] { leave(BarId::Edit, ctl::EditXLegend, bars.edit.xLegendText, "temps"); }},
        {"Cancel", {}, [&] { run(cmd::CancelEdit); }},
    };
    // clang-format on
    for (const Row &row : rows) {
        if (row.prepare)
            row.prepare();
        const QByteArray before = curves();
        row.act();
        const QByteArray after = curves();
        const std::string keptAfter = kept();
        QVERIFY2(after != before, row.action);
        const bool editMode = store.editMode;
        QTest::mouseClick(frame.bar(editMode ? BarId::Edit : BarId::Display)->control(cmd::Undo),
                          Qt::LeftButton);
        QVERIFY2(curves() == before && kept() == keptAfter, row.action);
        const double xmax = store.current().xmax;
        QVERIFY2(editMode ? bars.edit.xmaxText == formatNumber(xmax)
                          : bars.display.xmaxValue == xmax,
                 row.action);
        run(cmd::Redo);
        QVERIFY2(curves() == after, row.action);
    }
    // A new change forgets what could be redone.
    run(cmd::Undo);
    run(cmd::Sampling64);
    const QByteArray changed = curves();
    run(cmd::Redo);
    QCOMPARE(curves(), changed);
    // Undoing, in edit mode, a change made to another curve keeps the edited
    // one current, so that "Cancel" puts back that one and only it.
    select(0);
    const QByteArray beforeCut = savedCurves(view);
    run(cmd::Cut);
    select(2);
    run(cmd::EditMode);
    run(cmd::Undo);
    QCOMPARE(store.currentCurve, 2);
    run(cmd::CancelEdit);
    QCOMPARE(savedCurves(view), beforeCut);
}

void ShellCommandsTest::aboutBoxIsAsked()
{
    QVERIFY(shell->frame().runCommand(cmd::AppAbout));
    QCOMPARE(shell->prompts.count(ScriptedPrompts::Kind::About), 1);
    QCOMPARE(shell->prompts.asked.size(), 1);
}

void ShellCommandsTest::toolbarCommandHidesAndShowsTheToolbar()
{
    CMainFrame &frame = shell->frame();
    QVERIFY(frame.runCommand(cmd::ViewToolbar));
    QVERIFY(frame.toolBar()->isHidden());
    QVERIFY(!frame.commandAction(cmd::ViewToolbar)->isChecked());
    QVERIFY(frame.runCommand(cmd::ViewToolbar));
    QVERIFY(frame.toolBar()->isVisible());
    QVERIFY(frame.commandAction(cmd::ViewToolbar)->isChecked());
}

// A check mark set by an update handler survives a click on the item, which
// would otherwise flip it by itself.
void ShellCommandsTest::checkMarksFollowTheUpdateHandler()
{
    CMainFrame &frame = shell->frame();
    bool axes = false;
    frame.activeView()->commands().bind(
        cmd::Axes, [&] { axes = !axes; }, [&](CommandUpdate &state) { state.setCheck(axes); });
    frame.updateCommandStates();
    QVERIFY(!frame.commandAction(cmd::Axes)->isChecked());
    frame.commandAction(cmd::Axes)->trigger();
    QVERIFY(axes);
    QVERIFY(frame.commandAction(cmd::Axes)->isChecked());
    frame.commandAction(cmd::Axes)->trigger();
    QVERIFY(!frame.commandAction(cmd::Axes)->isChecked());
}
