// Save All, for the active window and for a window that closes.
#include "app/main_frame.h"

#include "framework/prompts.h"
#include "view/my_view.h"

#include <algorithm>

namespace ombrelis {

void CMainFrame::saveAllCurves(MyView &view)
{
    for (int slot = 0; slot < kCurveCount; ++slot) {
        const CurveSlot &curve = view.store().slots()[slot];
        // A curve without a name has no file to save to: nothing to ask about.
        if (!curve.active || curve.name.empty())
            continue;
        // A failed save is reported by the view; the next curve is saved all the same.
        if (!isNameOpenElsewhere(curve.name, view) ||
            prompts().confirmSaveAll(QString::fromStdString(curve.name)))
            view.saveCurveCommand(slot);
    }
}

bool CMainFrame::isNameOpenElsewhere(const std::string &name, const MyView &view) const
{
    return std::ranges::any_of(registry_, [&](const WindowEntry &entry) {
        if (entry.view == &view)
            return false;
        const auto &slots = entry.view->store().slots();
        return std::any_of(slots.begin(), slots.begin() + kCurveCount,
                           [&](const CurveSlot &curve) { return curve.name == name; });
    });
}

}  // namespace ombrelis
