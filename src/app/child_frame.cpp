#include "app/child_frame.h"

#include "app/app_icons.h"
#include "app/main_frame.h"
#include "app/tolvane_doc.h"
#include "view/my_view.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CMainFrame &mainFrame, CTolvaneDoc *document, MyView *view)
    : mainFrame_(mainFrame), document_(document), view_(view)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(documentIcon());
    document_->setParent(this);
    setWidget(view_);
    setWindowTitle(document_->title());
    connect(document_, &CTolvaneDoc::titleChanged, this, [this](const QString &title) {
        setWindowTitle(title);
        mainFrame_.updateFrameTitle();
    });
}

CChildFrame::~CChildFrame()
{
    Q_EMIT closing(this);
    // The subwindow still reports state changes while it is destroyed.
    disconnect(this, nullptr, &mainFrame_, nullptr);
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    QMdiSubWindow::closeEvent(event);
    // The entry is freed at once: the window is deleted only later.
    if (event->isAccepted())
        Q_EMIT closing(this);
}
