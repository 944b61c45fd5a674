// At start, the windows that editors left without closing them.
#include "app/tolvane_app.h"

#include "app/child_frame.h"
#include "app/main_frame.h"
#include "app/tolvane_doc.h"
#include "app/window_autosave.h"
#include "curves/curve_file_io.h"
#include "curves/recovery_record.h"
#include "framework/prompts.h"
#include "view/my_view.h"

#include <algorithm>

namespace ombrelis {

// Copies that cannot be read are never offered and go with their sessions;
// a copy that could not be taken over stays for the next start.
void CTolvaneApp::offerRecovery()
{
    AbandonedCopies abandoned(recovery_.root());
    struct Copy {
        QString file;
        std::string record;
        RecoverableWindow offer;
    };
    std::vector<Copy> copies;
    for (const QString &file : abandoned.files()) {
        Copy copy{file, {}, {}};
        const auto store = std::make_unique_for_overwrite<CurveStore>();
        RecoveredWindow window;
        if (!readWholeFile(file, &copy.record, nullptr) ||
            !parseRecoveryRecord(copy.record, *store, window).ok())
            continue;
        for (int i = 0; i < kCurveCount; ++i) {
            if (!store->slots()[i].name.empty())
                copy.offer.curveNames << QString::fromStdString(store->slots()[i].name);
        }
        copy.offer.lastChange = QDateTime::fromMSecsSinceEpoch(window.lastChangeMs);
        copies.push_back(std::move(copy));
    }
    // The most recently changed window opens last, in front.
    std::ranges::sort(copies, {}, [](const Copy &copy) { return copy.offer.lastChange; });
    std::vector<RecoverableWindow> offers;
    for (const Copy &copy : copies)
        offers.push_back(copy.offer);
    if (!offers.empty() && prompts_.confirmRecovery(offers)) {
        bool allTaken = true;
        for (const Copy &copy : copies)
            allTaken = openRecoveredWindow(copy.file, copy.record) && allTaken;
        if (!allTaken)
            return;
    }
    abandoned.discard();
}

bool CTolvaneApp::openRecoveredWindow(const QString &file, std::string_view record)
{
    auto document = std::make_unique<CTolvaneDoc>();
    auto view = std::make_unique<MyView>(*mainFrame_);
    RecoveredWindow window;
    if (!parseRecoveryRecord(record, view->store(), window).ok())
        return false;  // it was read once already
    document->setTitle(QString::fromStdString(window.title));
    CChildFrame *frame = mainFrame_->addDocumentWindow(std::move(document), std::move(view));
    mainFrame_->registerWindow(frame);
    followNewWindow(frame);
    return frame->autosave().adopt(file);
}

}  // namespace ombrelis
