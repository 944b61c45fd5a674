#include "view/my_view.h"

#include "bars/bar_fill.h"
#include "view/plot_scene.h"
#include "view/view_host.h"

#include <algorithm>

namespace ombrelis {

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

// The cursor's sampled point, in the readout of the bar of the view's mode.
void MyView::showCursorReadout(const PlotScene &scene)
{
    if (!scene.cursorReadout)
        return;
    AxisBarFields &bars = host_.barFields();
    auto &[xText, yText] = *scene.cursorReadout;
    if (store_->editMode) {
        bars.edit.cursorXText = xText;
        bars.edit.cursorYText = yText;
        host_.writeBar(BarId::Edit);
    } else {
        bars.display.cursorXText = xText;
        bars.display.cursorYText = yText;
        host_.writeBar(BarId::Display);
    }
}

}  // namespace ombrelis
