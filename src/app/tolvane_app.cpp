#include "app/tolvane_app.h"

#include "app/app_icons.h"
#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/tolvane_doc.h"
#include "framework/command_ids.h"
#include "framework/prompts.h"
#include "view/my_view.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>

#include <utility>

namespace ombrelis {

namespace {

// The main window's outer frame at start-up, in screen pixels.
const QRect kMainWindowFrame(60, 41, 741, 644);

}  // namespace

CTolvaneApp::CTolvaneApp(Prompts &prompts)
    : prompts_(prompts), recentFiles_(cmd::RecentFileCount), recovery_(recoveryRoot())
{
    commands_.bind(cmd::FileNew, [this] { onFileNew(); });
    commands_.bind(cmd::FileOpen, [this] { onFileOpen(); });
    commands_.bind(cmd::AppAbout, [this] { onAppAbout(); });
    commands_.bind(cmd::AppExit, [this] { onAppExit(); });
    for (int i = 0; i < cmd::RecentFileCount; ++i) {
        UpdateHandler update;
        if (i == 0)  // the greyed "Fichier récent" while the list is empty
            update = [this](CommandUpdate &state) {
                state.enable(!recentFiles_.entries().isEmpty());
            };
        commands_.bind(
            cmd::RecentFile1 + i, [this, i] { onOpenRecentFile(i); }, update);
    }
}

CTolvaneApp::~CTolvaneApp() = default;

bool CTolvaneApp::initInstance(const QStringList &files)
{
    QApplication::setApplicationName(applicationName());
    QApplication::setWindowIcon(applicationIcon());
    mainFrame_ = std::make_unique<CMainFrame>(*this);
    mainFrame_->setOuterGeometry(kMainWindowFrame);

    if (files.isEmpty())
        onFileNew();
    for (const QString &file : files) {
        if (!openDocumentFile(file))
            return false;
    }

    mainFrame_->show();
    mainFrame_->setOuterGeometry(kMainWindowFrame);  // now that the frame's borders are known
    mainFrame_->toggleBar(BarId::Display);
    mainFrame_->toggleBar(BarId::DisplayY);
    for (const QString &fault : std::exchange(faultsToTell_, {}))
        prompts_.showError(fault);
    offerRecovery();
    mainFrame_->updateCommandStates();
    return true;
}

void CTolvaneApp::onFileNew()
{
    auto document = std::make_unique<CTolvaneDoc>();
    if (!document->onNewDocument())
        return;
    CChildFrame *frame =
        mainFrame_->addDocumentWindow(std::move(document), std::make_unique<MyView>(*mainFrame_));
    // The registry takes the window only now: while it was being made and
    // activated, it was not yet there.
    mainFrame_->registerWindow(frame);
    // A new window is in display mode. The first one, made at start-up before
    // the bars exist, leaves them with their own initial values.
    MyView *view = frame->view();
    if (mainFrame_->barFields().editBarsShown)
        view->showDisplayBars();
    if (mainFrame_->windowCount() > 0) {
        view->fillDisplayBars();
        view->refreshCurveNames();
    }
    mainFrame_->countNewWindow();
}

CChildFrame *CTolvaneApp::openDocumentFile(const QString &path)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (CChildFrame *open = mainFrame_->findDocumentWindow(fullPath)) {
        mainFrame_->mdiArea()->setActiveSubWindow(open);
        return open;
    }
    auto document = std::make_unique<CTolvaneDoc>();
    auto view = std::make_unique<MyView>(*mainFrame_);
    document->setView(view.get());
    QString error;
    QString fault;
    if (!document->onOpenDocument(fullPath, &error, &fault)) {
        if (!error.isEmpty())
            prompts_.showError(error);
        return nullptr;
    }
    document->setPathName(fullPath);
    recentFiles_.add(fullPath);
    CChildFrame *frame = mainFrame_->addDocumentWindow(std::move(document), std::move(view));
    mainFrame_->registerWindow(frame);
    followNewWindow(frame);
    // The curve is loaded as read; the user learns what was wrong with the
    // file over the window that shows it.
    if (fault.isEmpty())
        return frame;
    if (mainFrame_->isVisible())
        prompts_.showError(fault);
    else
        faultsToTell_.append(fault);
    return frame;
}

// It came forward before the registry had it, so the bars did not follow:
// they switch to it now, in display mode like every new window.
void CTolvaneApp::followNewWindow(CChildFrame *frame)
{
    MyView *shown = frame->view();
    if (mainFrame_->barFields().editBarsShown)
        shown->showDisplayBars();
    shown->fillDisplayBars();
    shown->refreshCurveNames();
}

void CTolvaneApp::onFileOpen()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Ouvrir");
    if (const auto choice = prompts_.openFile(request))
        openDocumentFile(choice->path);
}

void CTolvaneApp::onOpenRecentFile(int index)
{
    if (index < 0 || index >= recentFiles_.entries().size())
        return;
    const QString path = recentFiles_.entries().at(index);
    // A file that can no longer be opened leaves the list.
    if (!openDocumentFile(path))
        recentFiles_.remove(index);
}

void CTolvaneApp::onAppAbout()
{
    prompts_.showAbout();
}

void CTolvaneApp::onAppExit()
{
    mainFrame_->close();
}

}  // namespace ombrelis
