// Document windows: the new-window command, documents opened from files,
// the window registry, recent files, dropped files and the Window menu.
#include "framework/command_ids.h"
#include "geometry/window_cascade.h"
#include "shell_fixture.h"
#include "test_shell.h"
#include "view/plot_scene.h"
#include "view/scene_painter.h"

#include <QAction>
#include <QDateTime>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStyle>
#include <QUrl>

#include <algorithm>

using namespace ombrelis;

namespace {

// The value of `key` as written in the settings file on disk, not as the
// settings objects of this process see it.
QString writtenEntry(const QString &fileName, const QString &key)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = key.toUtf8() + '=';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size()));
    }
    return {};
}

// What is wrong with `places`, windows from the back to the front, as a
// cascade in `area`: each one step right and down from the one behind it,
// back at the top left corner only once one more step would leave less than
// the usable size, and inside the area when the area holds a usable window.
QString cascadeFault(const CascadeArea &area, const std::vector<WindowPlace> &places, bool sameSize)
{
    const bool roomy = area.width >= kUsableWindowWidth && area.height >= kUsableWindowHeight;
    WindowPlace back{-area.step, -area.step, 0, 0};
    for (const WindowPlace &p : places) {
        const bool stepped = p.x == back.x + area.step && p.y == back.y + area.step;
        const bool restarted = p.x == 0 && p.y == 0 &&
                               (back.x + area.step + kUsableWindowWidth > area.width ||
                                back.y + area.step + kUsableWindowHeight > area.height);
        const bool inside =
            !roomy || (p.x + p.width <= area.width && p.y + p.height <= area.height);
        const bool usable = p.width >= kUsableWindowWidth && p.height >= kUsableWindowHeight;
        const bool sized =
            !sameSize || (p.width == places[0].width && p.height == places[0].height);
        if (!(stepped || restarted) || !inside || !usable || !sized)
            return QString::asprintf("window at (%d, %d) %dx%d in %dx%d, step %d", p.x, p.y,
                                     p.width, p.height, area.width, area.height, area.step);
        back = p;
    }
    return {};
}

// Every registry entry pairs an open frame with its own view.
bool registryIsConsistent(const CMainFrame &frame)
{
    return std::ranges::all_of(frame.registry(), [](const WindowEntry &entry) {
        return entry.frame && entry.frame->view() == entry.view;
    });
}

QMenu *topMenu(CMainFrame &frame, const QString &title)
{
    const auto menus = frame.menuBar()->actions();
    for (QAction *action : menus) {
        if (action->text() == title)
            return action->menu();
    }
    return nullptr;
}

// The texts of the visible items of a menu after it has been opened.
QStringList shownTexts(QMenu *menu)
{
    Q_EMIT menu->aboutToShow();
    QStringList texts;
    const auto actions = menu->actions();
    for (QAction *action : actions) {
        if (action->isVisible() && !action->isSeparator())
            texts << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (grey)"));
    }
    return texts;
}

// Pixels that are not white.
int inkPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != qRgb(255, 255, 255);
    }
    return count;
}

}  // namespace

void ShellWindowsTest::init()
{
    shell = std::make_unique<ShellFixture>();
    QVERIFY(shell->start());
}

void ShellWindowsTest::cleanup()
{
    QVERIFY2(shell->prompts.mismatches.isEmpty(), qPrintable(shell->prompts.mismatches.join('\n')));
    QCOMPARE(shell->prompts.unusedAnswers(), 0);
    shell.reset();
}

void ShellWindowsTest::newWindowsBeyondFourAreRegistered()
{
    CMainFrame &frame = shell->frame();
    for (int i = 0; i < 5; ++i)
        QVERIFY(frame.runCommand(cmd::FileNew));
    QCOMPARE(shell->windows().size(), 6);
    QCOMPARE(frame.windowCount(), 6);
    QCOMPARE(frame.registry().size(), 6u);
    QVERIFY(registryIsConsistent(frame));
    const auto windows = shell->windows();
    for (QMdiSubWindow *window : windows)
        QVERIFY(frame.entryOf(qobject_cast<CChildFrame *>(window)));
    // Each window has a store of its own, and the newest one is active.
    QCOMPARE(shell->activeFrame(), frame.registry().back().frame);
    QVERIFY(&frame.openViews()[0]->store() != &frame.openViews()[5]->store());
}

void ShellWindowsTest::closingFreesTheEntry()
{
    CMainFrame &frame = shell->frame();
    frame.runCommand(cmd::FileNew);
    frame.runCommand(cmd::FileNew);
    CChildFrame *second = frame.registry()[1].frame;
    CChildFrame *third = frame.registry()[2].frame;
    second->close();
    QVERIFY(!frame.entryOf(second));
    QCOMPARE(frame.registry().size(), 2u);
    QVERIFY(registryIsConsistent(frame));
    ShellFixture::settle();
    QCOMPARE(shell->windows().size(), 2);
    QVERIFY(frame.entryOf(third));
    // The counter only grows; new windows still find a place.
    QCOMPARE(frame.windowCount(), 3);
    frame.runCommand(cmd::FileNew);
    QCOMPARE(frame.registry().size(), 3u);
    QCOMPARE(frame.windowCount(), 4);
}

void ShellWindowsTest::documentWindowIsRegistered()
{
    CMainFrame &frame = shell->frame();
    const QString path = shell->curveFile(QStringLiteral("ramp.crv"));
    CChildFrame *window = shell->app->openDocumentFile(path);
    QVERIFY(window);
    QCOMPARE(shell->windows().size(), 2);
    QCOMPARE(shell->activeFrame(), window);
    QVERIFY(frame.entryOf(window));
    QVERIFY(registryIsConsistent(frame));
    QCOMPARE(frame.windowCount(), 1);  // counts the new-window command only
    QCOMPARE(window->windowTitle(), QStringLiteral("ramp.crv"));
    QCOMPARE(window->document()->pathName(), QFileInfo(path).absoluteFilePath());

    const CurveStore &store = window->view()->store();
    QCOMPARE(store.currentCurve, 2);
    QVERIFY(store.slots()[2].active);
    QCOMPARE(QString::fromStdString(store.slots()[2].name), path.chopped(4));
    QCOMPARE(store.slots()[2].sampleCount, 2);
    QCOMPARE(store.slots()[2].xmax, 1000.0);
    for (int slot : {0, 1, 3})
        QVERIFY(!store.slots()[slot].active);
    QCOMPARE(shell->app->recentFiles().entries(), QStringList{QFileInfo(path).absoluteFilePath()});
}

void ShellWindowsTest::documentAlreadyOpenIsActivated()
{
    const QString path = shell->curveFile(QStringLiteral("a.crv"));
    CChildFrame *first = shell->app->openDocumentFile(path);
    shell->frame().runCommand(cmd::FileNew);
    QCOMPARE(shell->app->openDocumentFile(path), first);
    QCOMPARE(shell->windows().size(), 3);
    QCOMPARE(shell->activeFrame(), first);
}

void ShellWindowsTest::unreadableDocumentLeavesNoWindow_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("missing file") << "missing.crv" << QByteArray() << "missing.crv";
    QTest::newRow("17 samples refused")
        << "many.crv" << QByteArray("X\n0\n1\nY\n0\n1\n17\n") << "17";
    QTest::newRow("another extension reads the .crv beside it")
        << "other.txt" << QByteArray("X\n0\n1\nY\n0\n1\n0\n0\n16\n") << "other.crv";
}

void ShellWindowsTest::unreadableDocumentLeavesNoWindow()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, messagePart);
    const QString path =
        content.isEmpty() ? shell->folder.filePath(file) : shell->writeFile(file, content);
    QVERIFY(!shell->app->openDocumentFile(path));
    QCOMPARE(shell->windows().size(), 1);
    QCOMPARE(shell->frame().registry().size(), 1u);
    QCOMPARE(shell->frame().barFields().display.curveNames[2], "");
    QCOMPARE(shell->prompts.count(ScriptedPrompts::Kind::Error), 1);
    QVERIFY2(shell->prompts.asked.last().detail.contains(messagePart),
             qPrintable(shell->prompts.asked.last().detail));
    QVERIFY(shell->app->recentFiles().entries().isEmpty());
}

void ShellWindowsTest::shortPathIsRefusedSilently()
{
    CTolvaneDoc document;
    MyView view(shell->frame());
    document.setView(&view);
    QString error;
    QVERIFY(!document.onOpenDocument(QStringLiteral("a.c"), &error, nullptr));
    QVERIFY(error.isEmpty());
}

void ShellWindowsTest::commandLineOpensTheFile()
{
    const QString path = shell->curveFile(QStringLiteral("wave.crv"));
    shell->app.reset();
    QVERIFY(shell->start({QStringLiteral("wave.crv")}));  // relative to the current directory
    QCOMPARE(shell->windows().size(), 1);
    QCOMPARE(shell->activeFrame()->windowTitle(), QStringLiteral("wave.crv"));
    QCOMPARE(shell->frame().registry().size(), 1u);
    QCOMPARE(shell->frame().windowCount(), 0);
    QCOMPARE(shell->activeFrame()->document()->pathName(), QFileInfo(path).absoluteFilePath());

    // A cut file opens as well, and says so once the main window is there.
    shell->writeFile(QStringLiteral("cut.crv"), "X\n");
    shell->app.reset();
    QVERIFY(shell->start({QStringLiteral("cut.crv")}));
    QCOMPARE(shell->prompts.count(ScriptedPrompts::Kind::Error), 1);
}

void ShellWindowsTest::commandLineWithAnUnreadableFileFails()
{
    shell->app.reset();
    QVERIFY(!shell->start({QStringLiteral("nowhere.crv")}));
    QCOMPARE(shell->prompts.count(ScriptedPrompts::Kind::Error), 1);
    QCOMPARE(shell->windows().size(), 0);
}

void ShellWindowsTest::openCommandAsksForAFile()
{
    const QString path = shell->curveFile(QStringLiteral("b.crv"));
    shell->prompts.chooseFile(path);
    QVERIFY(shell->frame().runCommand(cmd::FileOpen));
    QCOMPARE(shell->windows().size(), 2);
    QCOMPARE(shell->activeFrame()->windowTitle(), QStringLiteral("b.crv"));
    QCOMPARE(shell->prompts.asked.first().kind, ScriptedPrompts::Kind::OpenFile);

    shell->prompts.pressCancel();
    QVERIFY(shell->frame().runCommand(cmd::FileOpen));
    QCOMPARE(shell->windows().size(), 2);
}

// The document has nothing to save: Ctrl+S must not touch any file.
void ShellWindowsTest::saveCommandWritesNothing()
{
    const QString path = shell->curveFile(QStringLiteral("kept.crv"));
    QVERIFY(shell->app->openDocumentFile(path));
    const QByteArray before = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const auto modified = QFileInfo(path).lastModified();
    const QStringList filesBefore = QDir(shell->folder.path()).entryList(QDir::Files);
    QVERIFY(shell->frame().runCommand(cmd::FileSave));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QFileInfo(path).lastModified(), modified);
    QCOMPARE(QDir(shell->folder.path()).entryList(QDir::Files), filesBefore);
    QVERIFY(shell->prompts.asked.isEmpty());
}

void ShellWindowsTest::droppedFilesOpenAsDocuments()
{
    const QString a = shell->curveFile(QStringLiteral("a.crv"));
    const QString b = shell->curveFile(QStringLiteral("b.crv"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)});
    CMainFrame &frame = shell->frame();
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &drop);
    QCOMPARE(shell->windows().size(), 3);
    QCOMPARE(frame.registry().size(), 3u);
    QCOMPARE(shell->activeFrame()->windowTitle(), QStringLiteral("b.crv"));
}

void ShellWindowsTest::recentFilesAreKeptAndListed()
{
    QMenu *fileMenu = topMenu(shell->frame(), QStringLiteral("&Fichier"));
    QVERIFY(shownTexts(fileMenu).contains(QStringLiteral("Fichier récent (grey)")));

    QStringList paths;
    for (int i = 0; i < 9; ++i) {
        paths.prepend(
            QFileInfo(shell->curveFile(QStringLiteral("c%1.crv").arg(i))).absoluteFilePath());
        QVERIFY(shell->app->openDocumentFile(paths.first()));
    }
    paths.removeLast();  // eight entries are kept, newest first
    QCOMPARE(shell->app->recentFiles().entries(), paths);

    // Files of the current directory show by name alone.
    const QStringList texts = shownTexts(fileMenu);
    const auto first = texts.indexOf(QStringLiteral("&1 c8.crv"));
    QVERIFY2(first >= 0, qPrintable(texts.join(' ')));
    QCOMPARE(texts.mid(first, 8).last(), QStringLiteral("&8 c1.crv"));
    QVERIFY(!texts.contains(QStringLiteral("Fichier récent")));

    // The list lives in the per-user settings and comes back at the next start.
    QSettings settings(settingsFormat(), QSettings::UserScope, kSettingsOrganisation,
                       kSettingsApplication);
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File1")).toString(), paths.first());
    QCOMPARE(settings.value(QStringLiteral("Recent File List/File8")).toString(), paths.last());
    // The file itself is written shortly after, not inside the open.
    QTRY_COMPARE(writtenEntry(settings.fileName(), QStringLiteral("File1")), paths.first());
    QCOMPARE(writtenEntry(settings.fileName(), QStringLiteral("File8")), paths.last());
    shell->app.reset();
    QVERIFY(shell->start());
    QCOMPARE(shell->app->recentFiles().entries(), paths);

    // Choosing entry 3 opens that file as a document and moves it to the top.
    QVERIFY(shell->frame().runCommand(cmd::RecentFile1 + 2));
    QCOMPARE(shell->activeFrame()->document()->pathName(), paths.at(2));
    QCOMPARE(shell->app->recentFiles().entries().first(), paths.at(2));
    // Quitting at once still writes the last change.
    shell->app.reset();
    QCOMPARE(writtenEntry(settings.fileName(), QStringLiteral("File1")), paths.at(2));
}

void ShellWindowsTest::recentFileThatFailsLeavesTheList()
{
    const QString kept = shell->curveFile(QStringLiteral("kept.crv"));
    const QString gone = shell->curveFile(QStringLiteral("gone.crv"));
    QVERIFY(shell->app->openDocumentFile(kept));
    QVERIFY(shell->app->openDocumentFile(gone));
    QVERIFY(QFile::remove(gone));
    shell->frame().mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QVERIFY(shell->frame().runCommand(cmd::RecentFile1));
    QCOMPARE(shell->prompts.count(ScriptedPrompts::Kind::Error), 1);
    QCOMPARE(shell->app->recentFiles().entries(), QStringList{QFileInfo(kept).absoluteFilePath()});
}

void ShellWindowsTest::windowMenuListsTheWindows()
{
    CMainFrame &frame = shell->frame();
    QVERIFY(shell->app->openDocumentFile(shell->curveFile(QStringLiteral("a&b.crv"))));
    QMenu *menu = topMenu(frame, QStringLiteral("Fe&netre"));
    QStringList texts = shownTexts(menu);
    QCOMPARE(texts.mid(3),
             (QStringList{QStringLiteral("&1 Untitled"), QStringLiteral("&2 a&&b.crv")}));
    const auto actions = menu->actions();
    QVERIFY(actions.last()->isChecked());
    // Choosing an entry activates its window.
    actions.at(actions.size() - 2)->trigger();
    QCOMPARE(shell->activeFrame()->windowTitle(), QStringLiteral("Untitled"));
    frame.mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QCOMPARE(shownTexts(menu).size(), 3);
}

void ShellWindowsTest::frameTitleFollowsTheActiveWindow()
{
    CMainFrame &frame = shell->frame();
    QVERIFY(shell->app->openDocumentFile(shell->curveFile(QStringLiteral("a.crv"))));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis - a.crv"));
    shell->activeFrame()->document()->setTitle(QStringLiteral("b - a.crv - "));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis - b - a.crv - "));
    shell->activeFrame()->showMaximized();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis - [b - a.crv - ]"));
    shell->activeFrame()->document()->setTitle(QStringLiteral("c"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis - [c]"));
    shell->activeFrame()->showNormal();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis - c"));
    frame.mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Ombrelis"));
}

void ShellWindowsTest::arrangementNeedsAWindow()
{
    CMainFrame &frame = shell->frame();
    frame.runCommand(cmd::FileNew);
    const QSize newWindowSize = frame.registry()[1].frame->size();
    QVERIFY(newWindowSize.height() > 150);
    QVERIFY(frame.runCommand(cmd::WindowTileVertical));
    const QRect left = frame.registry()[0].frame->geometry();
    const QRect right = frame.registry()[1].frame->geometry();
    QCOMPARE(left.top(), right.top());
    QCOMPARE(left.right() + 1, right.left());
    QVERIFY(frame.runCommand(cmd::WindowTileHorizontal));
    const QRect top = frame.registry()[0].frame->geometry();
    const QRect bottom = frame.registry()[1].frame->geometry();
    QCOMPARE(top.left(), bottom.left());
    QCOMPARE(top.bottom() + 1, bottom.top());
    // Regression: Cascade shrank every window to its title bar, even when restored from maximised.
    frame.registry()[0].frame->showMaximized();
    QVERIFY(frame.runCommand(cmd::WindowCascade));
    for (const WindowEntry &entry : frame.registry())
        QCOMPARE(entry.frame->size(), newWindowSize);
    const QPoint offset = frame.registry()[1].frame->pos() - frame.registry()[0].frame->pos();
    QVERIFY(offset.x() != 0 && offset.x() == offset.y());
    frame.registry()[1].frame->showMaximized();
    frame.registry()[1].frame->showNormal();
    QCOMPARE(frame.registry()[1].frame->size(), newWindowSize);

    frame.mdiArea()->closeAllSubWindows();
    ShellFixture::settle();
    for (int id : {cmd::WindowCascade, cmd::WindowTileHorizontal, cmd::WindowTileVertical}) {
        QVERIFY(!frame.runCommand(id));
        QVERIFY(!frame.commandAction(id)->isEnabled());
    }
}

void ShellWindowsTest::cascadeStepsEveryWindow()
{
    for (int width = 120; width <= 1300; width += 23) {
        for (int height = 90; height <= 900; height += 19) {
            for (int count : {1, 2, 3, 10, 30}) {
                const CascadeArea area{width, height, 18 + count % 4 * 8};
                std::vector<WindowPlace> places;
                for (int i = 0; i < count; ++i)
                    places.push_back(cascadePlace(area, i, count));
                const QString fault = cascadeFault(area, places, true);
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
            }
        }
    }
}

void ShellWindowsTest::cascadeOfOpenWindows_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QSize>("frameSize");
    for (int count : {3, 10, 30}) {
        QTest::addRow("%d windows, start-up size", count) << count << QSize();
        QTest::addRow("%d windows, small frame", count) << count << QSize(560, 440);
    }
}

// Regression: with three windows in a frame of the start-up size, the first
// and the third shared their place, new or cascaded.
void ShellWindowsTest::cascadeOfOpenWindows()
{
    QFETCH(int, count);
    QFETCH(QSize, frameSize);
    CMainFrame &frame = shell->frame();
    if (frameSize.isValid())
        frame.resize(frameSize);  // no smaller than the bars allow
    while (static_cast<int>(shell->windows().size()) < count)
        QVERIFY(frame.runCommand(cmd::FileNew));
    const QMdiSubWindow &front = *shell->windows().constLast();
    const int step = front.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &front) +
                     front.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &front);
    const QSize client = frame.mdiArea()->contentsRect().size();
    const auto placesNow = [&] {
        std::vector<WindowPlace> places;
        for (const QMdiSubWindow *window : frame.mdiArea()->subWindowList(QMdiArea::StackingOrder))
            places.push_back({window->x(), window->y(), window->width(), window->height()});
        return places;
    };
    // New windows go where each would be last in the cascade (a frame made
    // smaller leaves the first one where it was); Cascade gives all one size.
    const CascadeArea area{client.width(), client.height(), step};
    QString fault = frameSize.isValid() ? QString() : cascadeFault(area, placesNow(), false);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QVERIFY(frame.runCommand(cmd::WindowCascade));
    fault = cascadeFault(area, placesNow(), true);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

// The view paints exactly the scene of its curves over a white background,
// and an empty window only the background.
void ShellWindowsTest::viewPaintsItsScene()
{
    MyView *empty = shell->frame().activeView();
    const QImage blank = empty->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!blank.isNull());
    QCOMPARE(inkPixels(blank), 0);

    CChildFrame *window = shell->app->openDocumentFile(shell->curveFile(QStringLiteral("a.crv")));
    QVERIFY(window);
    MyView *view = window->view();
    view->store().showAxes = true;
    const QImage painted = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto expected =
        renderScene(buildPlotScene(view->store(), ClientSize{view->width(), view->height()}),
                    view->size(), Qt::white)
            .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(painted, expected);
    QVERIFY(inkPixels(painted) > 0);  // the axes and the curve

    // A repaint request also hands the view the keyboard focus.
    shell->frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shell->frame()));
    empty->requestRepaint();
    QVERIFY(empty->hasFocus());
}

void ShellWindowsTest::quitClosesEveryWindow()
{
    CMainFrame &frame = shell->frame();
    frame.runCommand(cmd::FileNew);
    QVERIFY(shell->app->openDocumentFile(shell->curveFile(QStringLiteral("a.crv"))));
    QVERIFY(frame.runCommand(cmd::AppExit));
    QVERIFY(frame.registry().empty());
    QVERIFY(!frame.isVisible());
    ShellFixture::settle();
    QCOMPARE(shell->windows().size(), 0);
}
