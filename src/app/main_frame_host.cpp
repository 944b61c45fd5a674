#include "app/main_frame.h"

#include "app/child_frame.h"
#include "app/tolvane_app.h"
#include "app/tolvane_doc.h"
#include "bars/display_bars.h"
#include "bars/edit_bars.h"
#include "view/my_view.h"

#include <QApplication>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopedValueRollback>

#include <algorithm>

namespace ombrelis {

// What the frame does for its views: the four axis bars, made when first
// shown and then only shown and hidden.

namespace {

std::size_t barIndex(BarId bar)
{
    return static_cast<std::size_t>(bar);
}

}  // namespace

CAxisBar *CMainFrame::bar(BarId bar) const
{
    return bars_[barIndex(bar)];
}

CAxisBar *CMainFrame::createBar(BarId bar)
{
    switch (bar) {
    case BarId::Display:
        return new CDisplayBar(barFields_.display, this);
    case BarId::DisplayY:
        return new CDisplayYBar(barFields_.displayY, this);
    case BarId::Edit:
        return new CEditBar(barFields_.edit, this);
    case BarId::EditY:
        return new CEditYBar(barFields_.editY, this);
    }
    return nullptr;
}

void CMainFrame::writeBar(BarId bar)
{
    if (CAxisBar *made = this->bar(bar))
        made->writeControls();
}

void CMainFrame::readBar(BarId bar)
{
    if (CAxisBar *made = this->bar(bar))
        made->readControls();
}

void CMainFrame::toggleBar(BarId bar)
{
    CAxisBar *&slot = bars_[barIndex(bar)];
    if (slot) {
        // A hidden bar hands the focus it holds to the next widget in the
        // tab chain, which may sit in another document window: that window
        // would come forward in the middle of the bar switch, and the two
        // pairs, briefly shown together, would stretch the frame. The
        // active window's plot takes the focus instead.
        MyView *view = activeView();
        if (view && !slot->isHidden() && slot->isAncestorOf(QApplication::focusWidget()))
            view->setFocus();
        const QScopedValueRollback toggling(togglingBar_, true);
        slot->setVisible(slot->isHidden());
        return;
    }
    slot = createBar(bar);
    slot->writeControls();
    for (int id : slot->commandIds())
        slot->control(id)->setToolTip(commandTooltip(id));
    // Buttons run their commands along the active window's route; edit
    // boxes report to the active view.
    connect(slot, &CAxisBar::commandSent, this, [this](int id) { runCommand(id); });
    connect(slot, &CAxisBar::notified, this, [this](int controlId, int code) {
        if (MyView *view = activeView())
            view->controlNotified(controlId, code);
    });
    addDockWidget(slot->homeArea(), slot, Qt::Vertical);
    slot->show();  // at once, not when the event loop next runs
    fitWindowsToArea();
    updateBarControls();
}

// A new bar narrows the MDI area: windows placed before it keep their place
// but no longer reach beyond the area's edges.
void CMainFrame::fitWindowsToArea()
{
    layout()->activate();
    const QRect area(QPoint(0, 0), mdiArea_->viewport()->size());
    const auto windows = mdiArea_->subWindowList();
    for (QMdiSubWindow *window : windows) {
        if (window->isMaximized() || window->isMinimized())
            continue;
        QRect placed = window->geometry();
        placed.setRight(std::min(placed.right(), area.right()));
        placed.setBottom(std::min(placed.bottom(), area.bottom()));
        if (placed != window->geometry() && placed.width() > 100 && placed.height() > 100)
            window->setGeometry(placed);
    }
}

bool CMainFrame::isBarVisible(BarId bar) const
{
    const CAxisBar *made = this->bar(bar);
    return made && !made->isHidden();
}

void CMainFrame::updateBarControls()
{
    for (CAxisBar *made : bars_) {
        if (made)
            made->updateCommandControls([this](int id) { return commandState(id); });
    }
}

Prompts &CMainFrame::prompts()
{
    return app_.prompts();
}

void CMainFrame::addRecentFile(const QString &path)
{
    app_.recentFiles().add(path);
}

QString CMainFrame::documentTitle(const MyView &view) const
{
    const WindowEntry *entry = entryOf(view);
    return entry ? entry->frame->document()->title() : QString();
}

void CMainFrame::setDocumentTitle(const MyView &view, const QString &title)
{
    if (const WindowEntry *entry = entryOf(view))
        entry->frame->document()->setTitle(title);
}

void CMainFrame::beep()
{
    QApplication::beep();
}

}  // namespace ombrelis
