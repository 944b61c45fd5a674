// What assistive technology meets in the running editor: a name for every
// control in both modes, the plot's description, and the order Tab and
// Shift+Tab take through the bars and the plot.
#include "accessible_tree.h"
#include "framework/command_ids.h"
#include "shell_fixture.h"

#include <QApplication>

using namespace ombrelis;

class AccessibilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ShellFixture> shell;
    CMainFrame &frame() { return shell->frame(); }

private Q_SLOTS:
    void init()
    {
        shell = std::make_unique<ShellFixture>();
        QVERIFY(shell->start({shell->curveFile(QStringLiteral("wave.crv"))}));
        QVERIFY(QTest::qWaitForWindowExposed(&frame()));
    }
    void cleanup() { shell.reset(); }
    void everyControlIsNamed();
    void tabFollowsReadingOrder();
};

void AccessibilityTest::everyControlIsNamed()
{
    QStringList unnamed = unnamedControls(&frame(), "display mode");
    QVERIFY(frame().runCommand(cmd::EditMode));
    unnamed += unnamedControls(&frame(), "edit mode");
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join('\n')));

    // The plot tells the current curve and, once the cursor is on, its readout.
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
    QVERIFY(!readout.cursorXText.empty());
    QCOMPARE(withCursor, current + QStringLiteral(", curseur X = %1, Y = %2")
                                       .arg(QString::fromStdString(readout.cursorXText),
                                            QString::fromStdString(readout.cursorYText)));
}

// From the plot, Tab goes through the horizontal bar, then the vertical one
// and back to the plot; Shift+Tab the other way round. Leaving a bound or
// legend box hands the focus to the plot, from where Tab goes on.
void AccessibilityTest::tabFollowsReadingOrder()
{
    const QList<QList<int>> orders{
        {cmd::SelectCurve1, cmd::SelectCurve2, cmd::SelectCurve3, cmd::SelectCurve4, ctl::ScriptBox,
         cmd::Cursor, cmd::EditMode, cmd::Undo, cmd::Cut},
        {ctl::EditXmin, ctl::EditXLegend, ctl::EditXmax, cmd::Copy, cmd::Cut, cmd::Paste,
         cmd::VerticalTangents, cmd::Axes, cmd::CreateSample, cmd::Undo, ctl::PointX, ctl::PointY,
         cmd::Cursor, cmd::EditMode, cmd::CancelEdit, ctl::EditYmax, ctl::EditYLegend,
         ctl::EditYmin}};
    MyView *plot = frame().activeView();
    for (QList<int> order : orders) {  // display mode, then edit mode
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            plot->setFocus();
            QList<int> visited;
            for (int press = 0; press < 3 * order.size(); ++press) {
                QTest::keyClick(QApplication::focusWidget(), key);
                if (QApplication::focusWidget() != plot)
                    visited << QApplication::focusWidget()->property("controlId").toInt();
                else if (visited.size() >= order.size())
                    break;
            }
            QCOMPARE(QApplication::focusWidget(), plot);
            QCOMPARE(visited, order);
            std::reverse(order.begin(), order.end());
        }
        QVERIFY(frame().runCommand(cmd::EditMode));
    }
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_accessibility.moc"
