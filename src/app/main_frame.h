#pragma once

#include "app/command_table.h"
#include "curves/curve_clipboard.h"
#include "framework/command_map.h"
#include "view/view_host.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QShortcut;
class QToolBar;

namespace ombrelis {

class CAxisBar;
class CChildFrame;
class CTolvaneApp;
class CTolvaneDoc;
class MyView;

// One open document window in the registry: its frame and its view.
struct WindowEntry {
    CChildFrame *frame = nullptr;
    MyView *view = nullptr;
};

// Which object of the route handles a command, if any.
struct CommandRoute {
    CommandOwner owner = CommandOwner::Nobody;
    const CommandMap::Entry *entry = nullptr;
};

// The main window: menus, toolbar and accelerators built from the command
// table, the MDI area with the document windows, and their registry. It is
// the host of every view: the bars, the prompts and the other windows.
class CMainFrame : public QMainWindow, public ViewHost {
    Q_OBJECT
public:
    // main_frame.cpp: the registry of document windows, routing, the title.
    explicit CMainFrame(CTolvaneApp &app);
    ~CMainFrame() override;

    // The registry of document windows, in the order they were entered.
    // Every open document window has an entry, whichever way it was made;
    // closing it removes the entry, and a new window always gets a new one.
    const std::vector<WindowEntry> &registry() const { return registry_; }
    void registerWindow(CChildFrame *frame);
    void unregisterWindow(CChildFrame *frame);
    // The first entry of the frame, or of the view; null when there is none.
    const WindowEntry *entryOf(const CChildFrame *frame) const;
    const WindowEntry *entryOf(const MyView &view) const;
    // Windows made by the new-window command since start; only grows.
    int windowCount() const { return windowCount_; }
    void countNewWindow() { ++windowCount_; }

    // Puts a document window made of `document` and `view` into the MDI
    // area, shows it and makes it the active one.
    CChildFrame *addDocumentWindow(std::unique_ptr<CTolvaneDoc> document,
                                   std::unique_ptr<MyView> view);
    CChildFrame *findDocumentWindow(const QString &path) const;
    CChildFrame *activeChildFrame() const;
    MyView *activeView() const;
    QMdiArea *mdiArea() const { return mdiArea_; }

    // Command routing: the active view, its document, its child frame, then
    // this frame and the application. A command without a handler on the
    // route is disabled.
    CommandRoute route(int id) const;
    CommandUpdate commandState(int id) const;
    // Runs the command if it is enabled; false when it did not run.
    bool runCommand(int id);
    // Refreshes the enabled state and check mark of every menu item and
    // toolbar button, and turns the accelerators on or off.
    void updateCommandStates();

    CommandMap &commands() { return commands_; }
    QAction *commandAction(int id) const;
    QToolBar *toolBar() const { return toolBar_; }
    const std::vector<std::pair<QShortcut *, int>> &accelerators() const { return accelerators_; }

    // Places the window so that its outer frame covers `outer`.
    void setOuterGeometry(const QRect &outer);
    void updateFrameTitle();

    // main_frame_host.cpp: the host of every view.
    AxisBarFields &barFields() override { return barFields_; }
    void writeBar(BarId bar) override;
    void readBar(BarId bar) override;
    void toggleBar(BarId bar) override;
    bool isBarVisible(BarId bar) const override;
    Prompts &prompts() override;
    void addRecentFile(const QString &path) override;
    std::vector<MyView *> openViews() const override;
    QString documentTitle(const MyView &view) const override;
    void setDocumentTitle(const MyView &view, const QString &title) override;
    void beep() override;
    // The axis bar, null until first shown.
    CAxisBar *bar(BarId bar) const;

    // main_frame_edit.cpp: the curve clipboard and the bars following the
    // active window.
    CurveClipboard &curveClipboard() { return curveClipboard_; }
    const CurveClipboard &curveClipboard() const { return curveClipboard_; }
    void copyToClipboard(MyView &view);
    void pasteFromClipboard(MyView &view);
    void onCopy();
    void onCut();
    void onPaste();
    // Shows the bar pair of the activated window's mode, filled from its view.
    void followActiveWindow(QMdiSubWindow *window);

    // main_frame_focus.cpp: moves the focus as Tab (next) or Shift+Tab does,
    // from a control of the showing bars or the active plot; false when the
    // focus is elsewhere.
    bool moveTabFocus(bool next);

    // main_frame_save_all.cpp: Save All saves the active curves 1 to 4 of
    // `view` (the active window's, or a closing window's), asking first about
    // a curve whose name another registered window also holds.
    void saveAllCurves(MyView &view);
    // Whether a window of the registry other than `view` has a curve 1 to 4
    // of that name (exact bytes, whether or not that curve is active).
    bool isNameOpenElsewhere(const std::string &name, const MyView &view) const;

protected:
    // main_frame.cpp
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    // main_frame_focus.cpp
    bool focusNextPrevChild(bool next) override;

    // main_frame_commands.cpp
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // main_frame.cpp
    QRect cascadePlace(const QMdiSubWindow *window, int position, int count) const;

    // main_frame_commands.cpp: menus, toolbar, accelerators, window arrangement.
    void createMenus();
    QMenu *createMenu(const QString &title, std::span<const MenuEntry> entries);
    void createRecentFileActions(QMenu *fileMenu);
    void createToolBar();
    void createAccelerators();
    void bindCommands();
    QAction *ensureAction(int id);
    void updateRecentFileMenu();
    void updateWindowMenu();
    void tileWindows(Qt::Orientation orientation);
    void cascadeWindows();
    QList<QMdiSubWindow *> arrangedWindows(QMdiArea::WindowOrder order) const;

    // main_frame_edit.cpp
    void bindClipboardCommands();

    // main_frame_host.cpp
    void updateBarControls();
    CAxisBar *createBar(BarId bar);
    void fitWindowsToArea();

    // main_frame_focus.cpp: the controls of the showing bars and the active
    // plot, in the order Tab visits them.
    std::vector<QWidget *> tabRing() const;

    std::vector<WindowEntry> registry_;
    int windowCount_ = 0;
    CurveClipboard curveClipboard_;
    CTolvaneApp &app_;
    QMdiArea *mdiArea_ = nullptr;
    QToolBar *toolBar_ = nullptr;
    QMenu *windowMenu_ = nullptr;
    std::vector<QAction *> windowListActions_;
    std::unordered_map<int, QAction *> actions_;
    std::unordered_map<int, bool> checkMarks_;
    std::vector<std::pair<QShortcut *, int>> accelerators_;
    CommandMap commands_;
    QRect outerGeometry_;
    bool outerGeometryPending_ = false;
    AxisBarFields barFields_;
    std::array<CAxisBar *, 4> bars_{};
    QPointer<QMdiSubWindow> followedWindow_;
    bool togglingBar_ = false;
    QPointer<QWidget> resumeTabAt_;  // where Tab from the plot goes on, if set
};

}  // namespace ombrelis
