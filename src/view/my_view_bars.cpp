#include "view/my_view.h"

#include "bars/bar_fill.h"
#include "view/view_host.h"

#include <algorithm>

// How the view shows itself in the application's bars.

void MyView::fillDisplayBars()
{
    fillDisplayBarFields(host_.barFields(), *store_);
    host_.writeBar(BarId::Display);
    host_.writeBar(BarId::DisplayY);
}

void MyView::fillEditBars()
{
    fillEditBarFields(host_.barFields(), *store_);
    host_.writeBar(BarId::Edit);
    host_.writeBar(BarId::EditY);
}

void MyView::refreshCurveNames()
{
    refreshCurveNameFields(host_.barFields(), *store_);
    host_.writeBar(BarId::Display);
}

void MyView::showEditBars()
{
    host_.barFields().editBarsShown = true;
    for (BarId bar : {BarId::Display, BarId::DisplayY, BarId::Edit, BarId::EditY})
        host_.toggleBar(bar);
}

void MyView::showDisplayBars()
{
    host_.barFields().editBarsShown = false;
    for (BarId bar : {BarId::Edit, BarId::EditY, BarId::Display, BarId::DisplayY})
        host_.toggleBar(bar);
}

void MyView::selectCurve()
{
    store_->currentCurve = std::clamp(host_.barFields().display.selectedCurve, 0, kCurveCount - 1);
    store_->cursorIndex = 0;
    fillDisplayBars();
    requestRepaint();
}
