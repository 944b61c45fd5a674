// What assistive technology meets in the running editor: a name for every
// control in both modes, the plot's description, and the order Tab and
// Shift+Tab take through the bars and the plot.
#include "accessible_tree.h"
#include "bars/axis_bar.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"

#include <QApplication>

using namespace ombrelis;

class AccessibilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> shell;
    CMainFrame &frame() { return shell->frame(); }

private Q_SLOTS:
    void init();
    void cleanup() { shell.reset(); }
    void everyControlIsNamed();
    void tabFollowsReadingOrder_data();
    void tabFollowsReadingOrder();
};

void AccessibilityTest::init()
{
    shell = std::make_unique<ShellFixture>();
    QVERIFY(shell->start({shell->curveFile(QStringLiteral("wave.crv"))}));
    QVERIFY(QTest::qWaitForWindowExposed(&frame()));
}

void AccessibilityTest::everyControlIsNamed()
{
    QStringList unnamed = unnamedControls(&frame(), "display mode");
    QVERIFY(frame().runCommand(cmd::EditMode));
    unnamed += unnamedControls(&frame(), "edit mode");
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join('\n')));

    // The plot says which curve is current and, once the cursor is on, what
    // it reads (Qt announces each new description).
    MyView *plot = frame().activeView();
    const auto description = [plot] {
        plot->repaint();
        return QAccessible::queryAccessibleInterface(plot)->text(QAccessible::Description);
    };
    const QString current = QStringLiteral("Courbe 3 : ") + shell->folder.filePath("wave");
    QCOMPARE(description(), current);
    QVERIFY(frame().runCommand(cmd::Cursor));
    const QString withCursor = description();
    const EditBarFields &readout = frame().barFields().edit;
    QCOMPARE(withCursor, current + QStringLiteral(", curseur X = %1, Y = %2")
                                       .arg(QString::fromStdString(readout.cursorXText),
                                            QString::fromStdString(readout.cursorYText)));
    QVERIFY(!readout.cursorXText.empty());
}

void AccessibilityTest::tabFollowsReadingOrder_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("display") << false
                             << QList<int>{cmd::SelectCurve1, cmd::SelectCurve2, cmd::SelectCurve3,
                                           cmd::SelectCurve4, ctl::ScriptBox,    cmd::Cursor,
                                           cmd::EditMode,     cmd::Undo,         cmd::Cut};
    QTest::newRow("edit")
        << true
        << QList<int>{ctl::EditXmin,     ctl::EditXLegend, ctl::EditXmax,         cmd::Copy,
                      cmd::Cut,          cmd::Paste,       cmd::VerticalTangents, cmd::Axes,
                      cmd::CreateSample, cmd::Undo,        ctl::PointX,           ctl::PointY,
                      cmd::Cursor,       cmd::EditMode,    cmd::CancelEdit,       ctl::EditYmax,
                      ctl::EditYLegend,  ctl::EditYmin};
}

// From the plot, Tab goes through the horizontal bar, then the vertical one
// and back to the plot; Shift+Tab the other way round. Leaving a bound or
// legend box hands the focus to the plot, from where Tab goes on.
void AccessibilityTest::tabFollowsReadingOrder()
{
    QFETCH(bool, editMode);
    QFETCH(QList<int>, order);
    if (editMode)
        QVERIFY(frame().runCommand(cmd::EditMode));
    MyView *plot = frame().activeView();
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        plot->setFocus();
        QList<int> visited;
        for (int press = 0; press < 3 * order.size() && visited.size() <= order.size(); ++press) {
            QTest::keyClick(QApplication::focusWidget(), key);
            if (QApplication::focusWidget() != plot)
                visited << QApplication::focusWidget()->property("controlId").toInt();
            else if (visited.size() == order.size())
                break;
        }
        QCOMPARE(QApplication::focusWidget(), plot);
        QCOMPARE(visited, order);
        std::reverse(order.begin(), order.end());
    }
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_accessibility.moc"
