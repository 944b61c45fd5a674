#include "app/child_frame.h"

#include "app/app_icons.h"
#include "app/main_frame.h"
#include "app/tolvane_doc.h"
#include "app/window_autosave.h"
#include "framework/prompts.h"
#include "view/my_view.h"

#include <QCloseEvent>

namespace ombrelis {

CChildFrame::CChildFrame(CMainFrame &mainFrame, RecoverySession &recovery, CTolvaneDoc *document,
                         MyView *view)
    : mainFrame_(mainFrame),
      document_(document),
      view_(view),
      autosave_(new WindowAutosave(recovery, *view, *document, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(documentIcon());
    document_->setParent(this);
    setWidget(view_);
    connect(document_, &CTolvaneDoc::titleChanged, this, [this](const QString &title) {
        setWindowTitle(title);
        mainFrame_.updateFrameTitle();
    });
    view_->store().setObserver(autosave_);
}

CChildFrame::~CChildFrame()
{
    view_->store().setObserver(nullptr);
    Q_EMIT closing(this);
    // The subwindow still reports state changes while it is destroyed.
    disconnect(this, nullptr, &mainFrame_, nullptr);
}

// Every way of closing a document window comes here: its close box or
// menu, Ctrl+F4 and the application quitting. "OK" saves and closes, "NO"
// closes; Escape or the question's close box keeps the window as it is.
// A closing window's recovery copy goes only once the question is
// answered: the desktop may end the editor while the question is open.
void CChildFrame::closeEvent(QCloseEvent *event)
{
    const ClosingAnswer answer = mainFrame_.prompts().askClosingWindow();
    if (answer == ClosingAnswer::KeepOpen) {
        event->ignore();
        return;
    }
    // The entry is freed before saving, so that Save All compares names with
    // the other windows only; the window itself is deleted only later.
    Q_EMIT closing(this);
    if (answer == ClosingAnswer::Save)
        mainFrame_.saveAllCurves(*view_);
    autosave_->stop();
    QMdiSubWindow::closeEvent(event);
}

bool CChildFrame::focusNextPrevChild(bool next)
{
    return mainFrame_.moveTabFocus(next) || QMdiSubWindow::focusNextPrevChild(next);
}

}  // namespace ombrelis
