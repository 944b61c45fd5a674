#include "app/main_frame.h"

#include "app/child_frame.h"
#include "app/tolvane_app.h"
#include "app/tolvane_doc.h"
#include "bars/axis_bar.h"
#include "geometry/window_cascade.h"
#include "view/my_view.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMdiArea>
#include <QMimeData>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace ombrelis {

CMainFrame::CMainFrame(CTolvaneApp &app) : app_(app)
{
    // Made here, once every member is set: adding a child already sends this
    // frame events.
    mdiArea_ = new QMdiArea(this);
    setWindowTitle(CTolvaneApp::applicationName());
    setCentralWidget(mdiArea_);
    setAcceptDrops(true);
    bindCommands();
    createMenus();
    createToolBar();
    createAccelerators();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
        updateFrameTitle();
        updateCommandStates();
    });
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::followActiveWindow);
    updateCommandStates();
}

CMainFrame::~CMainFrame()
{
    // The document windows unregister themselves as they go, so they must
    // go while the registry still exists, and nothing may look into the
    // MDI area while it is being torn down.
    QMdiArea *area = std::exchange(mdiArea_, nullptr);
    disconnect(area, nullptr, this, nullptr);
    delete area;
    // The bars show members of this frame: they go while the members exist.
    for (CAxisBar *&bar : bars_)
        delete std::exchange(bar, nullptr);
}

void CMainFrame::registerWindow(CChildFrame *frame)
{
    if (!frame || entryOf(frame))
        return;
    registry_.push_back({frame, frame->view()});
}

void CMainFrame::unregisterWindow(CChildFrame *frame)
{
    if (const WindowEntry *entry = entryOf(frame))
        registry_.erase(registry_.begin() + (entry - registry_.data()));
}

const WindowEntry *CMainFrame::entryOf(const CChildFrame *frame) const
{
    const auto found = std::ranges::find(registry_, frame, &WindowEntry::frame);
    return found == registry_.end() ? nullptr : &*found;
}

const WindowEntry *CMainFrame::entryOf(const MyView &view) const
{
    const auto found = std::ranges::find(registry_, &view, &WindowEntry::view);
    return found == registry_.end() ? nullptr : &*found;
}

std::vector<MyView *> CMainFrame::openViews() const
{
    std::vector<MyView *> views;
    for (const WindowEntry &entry : registry_)
        views.push_back(entry.view);
    return views;
}

CChildFrame *CMainFrame::addDocumentWindow(std::unique_ptr<CTolvaneDoc> document,
                                           std::unique_ptr<MyView> view)
{
    document->setView(view.get());
    auto *frame = new CChildFrame(*this, app_.recovery(), document.release(), view.release());
    mdiArea_->addSubWindow(frame);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::updateFrameTitle);
    connect(frame, &CChildFrame::closing, this, &CMainFrame::unregisterWindow);
    const auto count = static_cast<int>(mdiArea_->subWindowList().size());
    frame->setGeometry(cascadePlace(frame, count - 1, count));
    frame->show();
    mdiArea_->setActiveSubWindow(frame);
    frame->view()->setFocus();
    // Titled only once placed and shown: the subwindow lays its title out
    // again at every step above, and nothing paints before the event loop.
    frame->setWindowTitle(frame->document()->title());
    return frame;
}

// The place of the window at `position` in a cascade of `count` windows;
// a new window goes where it would be last in the cascade.
QRect CMainFrame::cascadePlace(const QMdiSubWindow *window, int position, int count) const
{
    const int step =
        window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window) +
        window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    if (!isVisible())
        layout()->activate();  // a hidden frame has not laid its area out yet
    const QSize area = mdiArea_->contentsRect().size();
    const WindowPlace place =
        ombrelis::cascadePlace({area.width(), area.height(), step}, position, count);
    return {place.x, place.y, place.width, place.height};
}

CChildFrame *CMainFrame::findDocumentWindow(const QString &path) const
{
    const auto windows = mdiArea_->subWindowList();
    for (QMdiSubWindow *window : windows) {
        auto *frame = qobject_cast<CChildFrame *>(window);
        if (frame && !frame->document()->pathName().isEmpty() &&
            QFileInfo(frame->document()->pathName()) == QFileInfo(path))
            return frame;
    }
    return nullptr;
}

CChildFrame *CMainFrame::activeChildFrame() const
{
    return mdiArea_ ? qobject_cast<CChildFrame *>(mdiArea_->currentSubWindow()) : nullptr;
}

MyView *CMainFrame::activeView() const
{
    CChildFrame *frame = activeChildFrame();
    return frame ? frame->view() : nullptr;
}

CommandRoute CMainFrame::route(int id) const
{
    if (CChildFrame *frame = activeChildFrame()) {
        if (const auto *entry = frame->view()->commands().find(id))
            return {CommandOwner::View, entry};
        if (const auto *entry = frame->document()->commands().find(id))
            return {CommandOwner::Document, entry};
        if (const auto *entry = frame->commands().find(id))
            return {CommandOwner::ChildFrame, entry};
    }
    if (const auto *entry = commands_.find(id))
        return {CommandOwner::MainFrame, entry};
    if (const auto *entry = app_.commands().find(id))
        return {CommandOwner::Application, entry};
    return {};
}

CommandUpdate CMainFrame::commandState(int id) const
{
    const CommandRoute found = route(id);
    CommandUpdate state;
    if (!found.entry)
        state.enable(false);
    else if (found.entry->update)
        found.entry->update(state);
    return state;
}

bool CMainFrame::runCommand(int id)
{
    const CommandRoute found = route(id);
    if (!found.entry)
        return false;
    if (found.entry->update) {
        CommandUpdate state;
        found.entry->update(state);
        if (!state.enabled)
            return false;
    }
    // A handler may close the window whose map holds it: keep a copy.
    const CommandHandler handler = found.entry->handler;
    handler();
    updateCommandStates();
    return true;
}

void CMainFrame::updateCommandStates()
{
    for (auto &[id, action] : actions_) {
        const CommandUpdate state = commandState(id);
        action->setEnabled(state.enabled);
        if (state.checked)
            checkMarks_[id] = *state.checked;
        const auto mark = checkMarks_.find(id);
        const bool checked = mark != checkMarks_.end() && mark->second;
        if (checked || action->isCheckable()) {
            action->setCheckable(true);
            action->setChecked(checked);
        }
    }
    // The accelerators belong to the document windows.
    const bool documentOpen = mdiArea_ && !mdiArea_->subWindowList().isEmpty();
    for (auto &[shortcut, id] : accelerators_)
        shortcut->setEnabled(documentOpen);
    updateBarControls();
}

QAction *CMainFrame::commandAction(int id) const
{
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void CMainFrame::setOuterGeometry(const QRect &outer)
{
    outerGeometry_ = outer;
    const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    move(outer.topLeft());
    resize(outer.size().shrunkBy(margins));
    // A window manager tells the frame's size only once the window is shown.
    outerGeometryPending_ = margins.isNull();
}

bool CMainFrame::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (outerGeometryPending_ && isVisible() && windowHandle() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        !windowHandle()->frameMargins().isNull())
        setOuterGeometry(outerGeometry_);
    return handled;
}

// The document title joins the application's name. A maximised document
// window merges its title bar into the frame's, which then reads
// "Ombrelis - [title]": the MDI area adds the bracketed part itself.
void CMainFrame::updateFrameTitle()
{
    QString title = CTolvaneApp::applicationName();
    CChildFrame *frame = activeChildFrame();
    if (frame && !frame->isMaximized())
        title += QStringLiteral(" - ") + frame->document()->title();
    setWindowTitle(title);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    const auto urls = event->mimeData()->urls();
    if (!urls.isEmpty() && std::ranges::all_of(urls, &QUrl::isLocalFile))
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    activateWindow();
    const auto urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            app_.openDocumentFile(url.toLocalFile());
    }
    event->acceptProposedAction();
}

// Quitting closes the windows one after the other; a window kept open stops
// it there, leaving the windows not yet asked open too.
void CMainFrame::closeEvent(QCloseEvent *event)
{
    const auto windows = mdiArea_->subWindowList();
    const bool closed =
        std::ranges::all_of(windows, [](QMdiSubWindow *window) { return window->close(); });
    event->setAccepted(closed && mdiArea_->subWindowList().isEmpty());
}

}  // namespace ombrelis
