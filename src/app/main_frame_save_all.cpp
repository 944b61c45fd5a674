// Save All, for the active window and for a window that closes.
#include "app/main_frame.h"

#include "curves/curve_file_names.h"
#include "framework/prompts.h"
#include "view/my_view.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace ombrelis {

namespace {

// The file a curve is saved to, as it stands on the disk: two names of one
// file (a link, "..") are the same.
QString savedFile(const CurveSlot &curve)
{
    return QFileInfo(QString::fromStdString(curveSavePath(curve))).canonicalFilePath();
}

}  // namespace

void CMainFrame::saveAllCurves(MyView &view)
{
    QStringList written;  // the files this Save All has written
    for (int slot = 0; slot < kCurveCount; ++slot) {
        const CurveSlot &curve = view.store().slots()[slot];
        // A curve without a name has no file to save to: nothing to ask about.
        if (!curve.active || curve.name.empty())
            continue;
        // Two curves of one name, after a paste say, share a file: the second
        // would replace the first without a word.
        std::optional<SaveAllReason> ask;
        if (written.contains(savedFile(curve)))
            ask = SaveAllReason::AlreadyWritten;
        else if (isNameOpenElsewhere(curve.name, view))
            ask = SaveAllReason::OpenElsewhere;
        if (ask && !prompts().confirmSaveAll(QString::fromStdString(curve.name), *ask))
            continue;
        // A failed save is reported by the view; the next curve is saved all the same.
        if (view.saveCurveCommand(slot))
            written.append(savedFile(curve));
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
