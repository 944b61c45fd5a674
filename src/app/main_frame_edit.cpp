// The curve clipboard, and the bars following the active document window.
#include "app/main_frame.h"

#include "app/child_frame.h"
#include "framework/command_ids.h"
#include "view/annotated_plot.h"
#include "view/my_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>
#include <QPointer>

#include <memory>

namespace ombrelis {

void CMainFrame::bindClipboardCommands()
{
    // Always enabled; with no document window open they do nothing.
    commands_.bind(cmd::Copy, [this] { onCopy(); });
    commands_.bind(cmd::Cut, [this] { onCut(); });
    commands_.bind(cmd::Paste, [this] { onPaste(); });
}

namespace {

// Other programs get the current curve as the text of its points and the
// plot as an image. Paste reads only the curve clipboard. Both are taken from
// the points the next paint would draw, which a change since the last one
// may have left out of date.
void offerToOtherPrograms(MyView &view)
{
    view.store().resampleDrawnCurves();
    auto data = std::make_unique<QMimeData>();
    data->setText(QString::fromStdString(sampledPointsText(view.store().current())));
    // A window with no room to draw in has no picture to give.
    if (const QByteArray png = pngBytes(view.annotatedImage()); !png.isEmpty())
        data->setData(QStringLiteral("image/png"), png);
    QGuiApplication::clipboard()->setMimeData(data.release());
}

}  // namespace

void CMainFrame::copyToClipboard(MyView &view)
{
    ombrelis::copyToClipboard(view.store().current(), curveClipboard_);
    offerToOtherPrograms(view);
}

void CMainFrame::pasteFromClipboard(MyView &view)
{
    view.store().pasteCurve(curveClipboard_);
}

void CMainFrame::onCopy()
{
    if (MyView *view = activeView())
        copyToClipboard(*view);
}

// The curve goes to the clipboard inactive, and the window is titled with
// the names of the three curves left, as the display bar shows them.
void CMainFrame::onCut()
{
    MyView *view = activeView();
    if (!view)
        return;
    CurveStore &store = view->store();
    const auto current = static_cast<std::size_t>(store.currentCurve);
    {
        const CurveStore::Step step(store);
        store.setActive(store.currentCurve, false);
        copyToClipboard(*view);
        store.resetSlot(store.currentCurve);
    }
    auto &names = barFields_.display.curveNames;
    QString title;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i != current)
            title += QString::fromStdString(names[i]);
    }
    setDocumentTitle(*view, title);
    if (store.editMode) {
        view->fillEditBars();
    } else {
        names[current].clear();
        view->fillDisplayBars();
    }
    view->requestRepaint();
}

void CMainFrame::onPaste()
{
    MyView *view = activeView();
    if (!view)
        return;
    pasteFromClipboard(*view);
    if (view->store().editMode)
        view->fillEditBars();
    else
        view->fillDisplayBars();
    view->requestRepaint();
    setDocumentTitle(*view, QString::fromStdString(curveClipboard_.name));
}

// Windows outside the registry, and the window already followed, leave the
// bars as they are.
void CMainFrame::followActiveWindow(QMdiSubWindow *window)
{
    if (!window || window == followedWindow_)
        return;
    if (togglingBar_) {
        // It came forward while a bar was hiding, the focus passing to it:
        // switching the bars now would leave both pairs half shown. It is
        // followed once the switch under way is over, if still in front.
        QMetaObject::invokeMethod(
            this,
            [this, later = QPointer(window)] {
                if (later && later == mdiArea_->currentSubWindow())
                    followActiveWindow(later);
            },
            Qt::QueuedConnection);
        return;
    }
    followedWindow_ = window;
    const WindowEntry *entry = entryOf(qobject_cast<CChildFrame *>(window));
    if (!entry)
        return;
    MyView &view = *entry->view;
    if (view.store().editMode) {
        if (!barFields_.editBarsShown)
            view.showEditBars();
        view.fillEditBars();
    } else {
        if (barFields_.editBarsShown)
            view.showDisplayBars();
        view.fillDisplayBars();
        view.refreshCurveNames();
    }
    updateCommandStates();
}

}  // namespace ombrelis
