#include "app/main_frame.h"

#include "bars/axis_bar.h"
#include "view/my_view.h"

#include <QApplication>

#include <algorithm>

namespace ombrelis {

// Tab and Shift+Tab go round the showing bar pair and the active plot in
// reading order: the vertical bar from top to bottom, the plot beside it,
// then the horizontal bar below, each bar in the order of its template.

std::vector<QWidget *> CMainFrame::tabRing() const
{
    const bool edit = isBarVisible(BarId::Edit);
    const auto stopsOf = [this](BarId id) {
        const CAxisBar *made = bar(id);
        return made && isBarVisible(id) ? made->tabStops() : std::vector<QWidget *>();
    };
    std::vector<QWidget *> ring = stopsOf(edit ? BarId::EditY : BarId::DisplayY);
    if (MyView *plot = activeView())
        ring.push_back(plot);
    const std::vector<QWidget *> below = stopsOf(edit ? BarId::Edit : BarId::Display);
    ring.insert(ring.end(), below.begin(), below.end());
    return ring;
}

bool CMainFrame::moveTabFocus(bool next)
{
    const std::vector<QWidget *> ring = tabRing();
    QWidget *from = QApplication::focusWidget();
    const auto at = std::find(ring.begin(), ring.end(), from);
    if (at == ring.end())
        return false;
    QWidget *target = nullptr;
    if (from == activeView() && resumeTabAt_ &&
        std::find(ring.begin(), ring.end(), resumeTabAt_.data()) != ring.end()) {
        target = resumeTabAt_;
    } else {
        const auto size = static_cast<std::ptrdiff_t>(ring.size());
        const std::ptrdiff_t step = next ? 1 : size - 1;
        target = ring[static_cast<std::size_t>((at - ring.begin() + step) % size)];
    }
    resumeTabAt_ = nullptr;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    // Leaving a bound or legend box applies it and hands the focus to the
    // plot: the next Tab from the plot goes on to where this one was going.
    if (QApplication::focusWidget() != target && QApplication::focusWidget() == activeView())
        resumeTabAt_ = target;
    return true;
}

bool CMainFrame::focusNextPrevChild(bool next)
{
    return moveTabFocus(next) || QMainWindow::focusNextPrevChild(next);
}

}  // namespace ombrelis
