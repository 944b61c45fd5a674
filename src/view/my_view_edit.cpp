#include "view/my_view.h"

#include "bars/bound_remap.h"
#include "curves/crv_format.h"
#include "curves/number_text.h"
#include "framework/command_ids.h"
#include "framework/prompts.h"
#include "view/view_host.h"

namespace ombrelis {

// The display/edit cycle with its backup slot, the choice of the current
// curve, and what the edit bars' boxes do to the current curve.

void MyView::bindEditCommands()
{
    commands_.bind(
        cmd::EditMode, [this] { store_->editMode ? leaveEditMode() : enterEditMode(); },
        [this](CommandUpdate &state) { state.setCheck(host_.isBarVisible(BarId::Edit)); });
    commands_.bind(cmd::CancelEdit, [this] { cancelEdit(); });
    for (int id : {cmd::SelectCurve1, cmd::SelectCurve2, cmd::SelectCurve3, cmd::SelectCurve4})
        commands_.bind(id, [this] { selectCurve(); });

    const auto readEditBar = [this] { host_.readBar(BarId::Edit); };
    const auto readEditYBar = [this] { host_.readBar(BarId::EditY); };
    bindNotification(ctl::EditXmin, kEditLostFocus, [this] { applyTypedBound(Bound::Xmin); });
    bindNotification(ctl::EditXmax, kEditLostFocus, [this] { applyTypedBound(Bound::Xmax); });
    bindNotification(ctl::EditYmin, kEditLostFocus, [this] { applyTypedBound(Bound::Ymin); });
    bindNotification(ctl::EditYmax, kEditLostFocus, [this] { applyTypedBound(Bound::Ymax); });
    bindNotification(ctl::EditXLegend, kEditLostFocus, [this] { applyTypedLegend(BarId::Edit); });
    bindNotification(ctl::EditYLegend, kEditLostFocus, [this] { applyTypedLegend(BarId::EditY); });
    for (int id : {ctl::EditXmin, ctl::EditXmax, ctl::EditXLegend, ctl::PointX, ctl::PointY})
        bindNotification(id, kEditChanged, readEditBar);
    for (int id : {ctl::PointX, ctl::PointY})
        bindNotification(id, kEditLostFocus, readEditBar);
    for (int id : {ctl::EditYmax, ctl::EditYLegend, ctl::EditYmin})
        bindNotification(id, kEditChanged, readEditYBar);
}

void MyView::enterEditMode()
{
    store_->editMode = true;
    store_->copySlot(store_->currentCurve, kBackupSlot);  // the backup is not a step
    showEditBars();
    fillEditBars();
    requestRepaint();
}

// Only a curve with samples becomes active, so that "Sauvegarder tout"
// does not save empty curves.
void MyView::leaveEditMode()
{
    setFocus();  // a box still being typed in hands its value over first
    store_->editMode = false;
    store_->resetSlot(kBackupSlot);
    showDisplayBars();
    fillDisplayBars();
    refreshCurveNames();
    if (store_->current().sampleCount > 0)
        store_->setActive(store_->currentCurve, true);
    requestRepaint();
}

// The display bars are not refilled: they still show the curve as it was
// when edit mode began. Outside edit mode the backup is empty, and copying
// it back would wipe the current curve.
void MyView::cancelEdit()
{
    if (!store_->editMode)
        return;
    const CurveStore::Step step(*store_);
    store_->copySlot(kBackupSlot, store_->currentCurve);
    store_->resetSlot(kBackupSlot);
    requestRepaint();
    store_->editMode = false;
    showDisplayBars();
}

// The edit boxes speak for the view in edit mode. A box that loses the focus
// because another window came forward reaches that window's view, which must
// not take another curve's bound or legend.
void MyView::applyTypedBound(Bound bound)
{
    if (!store_->editMode)
        return;
    const bool onX = bound == Bound::Xmin || bound == Bound::Xmax;
    host_.readBar(onX ? BarId::Edit : BarId::EditY);
    AxisBarFields &bars = host_.barFields();
    std::string *text = nullptr;
    switch (bound) {
    case Bound::Xmin:
        text = &bars.edit.xminText;
        break;
    case Bound::Xmax:
        text = &bars.edit.xmaxText;
        break;
    case Bound::Ymin:
        text = &bars.editY.yminText;
        break;
    case Bound::Ymax:
        text = &bars.editY.ymaxText;
        break;
    }
    if (const Status remapped = store_->setBound(bound, boundFromText(*text)); !remapped.ok()) {
        // The box shows the bound that stays before the user is told why.
        *text = formatNumber(boundValue(store_->current(), bound));
        host_.writeBar(onX ? BarId::Edit : BarId::EditY);
        host_.prompts().showError(QString::fromStdString(remapped.message()));
        return;
    }
    requestRepaint();
}

// The boxes refuse what a curve file cannot hold back. A changed text that
// got past them all the same is not taken: the user is told, and the box
// shows the legend that stays.
void MyView::applyTypedLegend(BarId bar)
{
    if (!store_->editMode)
        return;
    host_.readBar(bar);
    AxisBarFields &bars = host_.barFields();
    std::string &text = bar == BarId::Edit ? bars.edit.xLegendText : bars.editY.yLegendText;
    const std::string &legend =
        bar == BarId::Edit ? store_->current().xLegend : store_->current().yLegend;
    if (const Status checked = checkLegend(text); !checked.ok() && text != legend) {
        const std::string typed = text;
        text = legend;
        host_.writeBar(bar);
        // A box may show a legend read from a file otherwise than it is (a
        // carriage return inside it becomes a line break): then nothing was typed.
        host_.readBar(bar);
        if (text == typed)
            return;
        host_.prompts().showError(
            QStringLiteral("La légende « %1 » ne peut pas être enregistrée : %2. "
                           "La courbe garde « %3 ».")
                .arg(QString::fromStdString(typed), QString::fromStdString(checked.message()),
                     QString::fromStdString(legend)));
        return;
    }
    if (bar == BarId::Edit)
        store_->setXLegend(text);
    else
        store_->setYLegend(text);
    requestRepaint();
}

}  // namespace ombrelis
