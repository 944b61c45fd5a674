// The main frame's menus, toolbar and accelerators, built from the command
// table, and the commands the main frame handles itself.
#include "app/main_frame.h"

#include "app/app_icons.h"
#include "app/child_frame.h"
#include "app/recent_file_list.h"
#include "app/tolvane_app.h"
#include "app/tolvane_doc.h"
#include "framework/command_ids.h"
#include "view/my_view.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>

namespace ombrelis {

namespace {

constexpr char kNoToolTip[] = "ombrelisNoToolTip";

}  // namespace

QAction *CMainFrame::ensureAction(int id)
{
    if (QAction *existing = commandAction(id))
        return existing;
    auto *action = new QAction(commandText(id), this);
    action->setData(id);
    action->setIconVisibleInMenu(false);
    action->setToolTip(commandTooltip(id));
    if (const CommandInfo *info = findCommand(id); info && info->initiallyChecked) {
        checkMarks_[id] = true;
        action->setCheckable(true);
        action->setChecked(true);
    }
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    actions_[id] = action;
    return action;
}

QMenu *CMainFrame::createMenu(const QString &title, std::span<const MenuEntry> entries)
{
    auto *menu = new QMenu(title, this);
    for (const MenuEntry &entry : entries) {
        switch (entry.kind) {
        case MenuKind::Item:
            menu->addAction(ensureAction(entry.id));
            break;
        case MenuKind::Separator:
            menu->addSeparator();
            break;
        case MenuKind::Popup:
            menu->addMenu(createMenu(QString::fromUtf8(entry.text), entry.children));
            break;
        }
    }
    // Check marks and greying are brought up to date whenever a menu opens.
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
    return menu;
}

void CMainFrame::createMenus()
{
    for (const MenuEntry &top : menuTree()) {
        QMenu *menu = createMenu(QString::fromUtf8(top.text), top.children);
        menuBar()->addMenu(menu);
        if (menu->actions().contains(commandAction(cmd::RecentFile1)))
            createRecentFileActions(menu);
        if (menu->actions().contains(commandAction(cmd::WindowCascade)))
            windowMenu_ = menu;
    }
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::updateWindowMenu);
}

// The recent-file entries take the place of the "Fichier récent" item: the
// item itself becomes the first entry and the others follow it.
void CMainFrame::createRecentFileActions(QMenu *fileMenu)
{
    const auto menuActions = fileMenu->actions();
    const auto placeholder = menuActions.indexOf(commandAction(cmd::RecentFile1));
    QAction *before = menuActions.value(placeholder + 1);
    for (int i = 1; i < cmd::RecentFileCount; ++i) {
        QAction *entry = ensureAction(cmd::RecentFile1 + i);
        entry->setVisible(false);
        fileMenu->insertAction(before, entry);
    }
    connect(fileMenu, &QMenu::aboutToShow, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu();
}

void CMainFrame::updateRecentFileMenu()
{
    const RecentFileList &recent = app_.recentFiles();
    for (int i = 0; i < cmd::RecentFileCount; ++i) {
        QAction *entry = commandAction(cmd::RecentFile1 + i);
        const bool used = i < recent.entries().size();
        if (i == 0)
            entry->setText(used ? recent.menuText(0) : commandText(cmd::RecentFile1));
        else if (used)
            entry->setText(recent.menuText(i));
        if (i > 0)
            entry->setVisible(used);
    }
}

// After the arrangement commands, the menu lists the open document windows
// and checks the active one.
void CMainFrame::updateWindowMenu()
{
    for (QAction *action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const auto windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    windowListActions_.push_back(windowMenu_->addSeparator());
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                   : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        QAction *action = windowMenu_->addAction(text);
        action->setCheckable(true);
        action->setChecked(window == mdiArea_->currentSubWindow());
        connect(action, &QAction::triggered, this,
                [this, window = QPointer<QMdiSubWindow>(window)] {
                    if (window)
                        mdiArea_->setActiveSubWindow(window);
                });
        windowListActions_.push_back(action);
    }
}

void CMainFrame::createToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(kToolbarButtonWidth, kToolbarButtonHeight));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    for (int id : toolbarLayout()) {
        if (id == kToolbarSeparator) {
            toolBar_->addSeparator();
            continue;
        }
        QAction *action = ensureAction(id);
        action->setIcon(toolbarIcon(id));
        // The button shows no text; the menu text without its mnemonic,
        // shortcut and ellipsis is what a screen reader calls it.
        action->setIconText(commandText(id)
                                .section(QLatin1Char('\t'), 0, 0)
                                .remove(QLatin1Char('&'))
                                .remove(QStringLiteral("...")));
        toolBar_->addAction(action);
        // A button whose command has no tooltip shows none, rather than its menu text.
        if (commandTooltip(id).isEmpty()) {
            QWidget *button = toolBar_->widgetForAction(action);
            button->setProperty(kNoToolTip, true);
            button->installEventFilter(this);
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, this, &CMainFrame::updateCommandStates);
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && watched->property(kNoToolTip).toBool())
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::createAccelerators()
{
    for (const Accelerator &accelerator : acceleratorTable()) {
        auto *shortcut = new QShortcut(QKeySequence(accelerator.key), this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(true);
        const int id = accelerator.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { runCommand(id); });
        accelerators_.emplace_back(shortcut, id);
    }
}

void CMainFrame::bindCommands()
{
    const auto whileDocumentOpen = [this](CommandUpdate &state) {
        state.enable(activeChildFrame() != nullptr);
    };
    commands_.bind(
        cmd::WindowCascade, [this] { cascadeWindows(); }, whileDocumentOpen);
    commands_.bind(
        cmd::WindowTileHorizontal, [this] { tileWindows(Qt::Vertical); }, whileDocumentOpen);
    commands_.bind(
        cmd::WindowTileVertical, [this] { tileWindows(Qt::Horizontal); }, whileDocumentOpen);
    commands_.bind(
        cmd::ViewToolbar, [this] { toolBar_->setVisible(toolBar_->isHidden()); },
        [this](CommandUpdate &state) { state.setCheck(!toolBar_->isHidden()); });
    // Always enabled, like the bars' "Undo" buttons: with nothing to undo or
    // redo they do nothing.
    commands_.bind(cmd::Undo, [this] {
        if (MyView *view = activeView())
            view->undo();
    });
    commands_.bind(cmd::Redo, [this] {
        if (MyView *view = activeView())
            view->redo();
    });
    commands_.bind(cmd::SaveAll, [this] {
        if (MyView *view = activeView())
            saveAllCurves(*view);
    });
    bindClipboardCommands();
}

// Horizontal tiling stacks the windows one above the other, vertical tiling
// sets them side by side; `stacking` is the direction in which they follow.
void CMainFrame::tileWindows(Qt::Orientation stacking)
{
    const QList<QMdiSubWindow *> windows = arrangedWindows(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    const QSize area = mdiArea_->viewport()->size();
    const auto count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow *window = windows.at(i);
        window->showNormal();
        if (stacking == Qt::Vertical) {
            const int top = area.height() * i / count;
            window->setGeometry(0, top, area.width(), area.height() * (i + 1) / count - top);
        } else {
            const int left = area.width() * i / count;
            window->setGeometry(left, 0, area.width() * (i + 1) / count - left, area.height());
        }
    }
}

// Qt's own cascade sizes windows from their size hints, and the plot view has
// none: every window would shrink to its title bar. The windows go where new
// windows go instead, in stacking order so that the active one stays on top.
void CMainFrame::cascadeWindows()
{
    const QList<QMdiSubWindow *> windows = arrangedWindows(QMdiArea::StackingOrder);
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow *window = windows.at(i);
        window->showNormal();
        window->setGeometry(cascadePlace(window, i, static_cast<int>(windows.size())));
        window->raise();
    }
}

// The windows that the arrangement commands move: shown and not minimised.
QList<QMdiSubWindow *> CMainFrame::arrangedWindows(QMdiArea::WindowOrder order) const
{
    QList<QMdiSubWindow *> windows;
    const auto all = mdiArea_->subWindowList(order);
    for (QMdiSubWindow *window : all) {
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    }
    return windows;
}

}  // namespace ombrelis
