#pragma once

#include "curves/curve_store.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <string>

namespace ombrelis {

class CTolvaneDoc;
class MyView;
class RecoverySession;

// Keeps the recovery copy of one window up to date. Each step that changed
// the window's curves is written about a second after it, at most once a
// second, and only when the window's state moved; a failed write (a full
// disk) is tried again a few seconds later, with a line on stderr but never
// a dialog.
class WindowAutosave : public QObject, public CurveStoreObserver {
    Q_OBJECT
public:
    // The window's state as it is now counts as written: a window that only
    // opened its files has nothing to recover.
    WindowAutosave(RecoverySession &session, MyView &view, const CTolvaneDoc &document,
                   QObject *parent);
    ~WindowAutosave() override;

    // The store's steps: the end of one that changed a curve starts the
    // write; what it changed is read when the write comes.
    void slotWillChange(const CurveStore &, int) override { }
    void stepEnded(const CurveStore &store) override;
    // Takes over an abandoned copy that holds exactly this window's state.
    bool adopt(const QString &file);
    // The window closes: its copy goes and nothing more is written.
    void stop();

    static constexpr int kWriteDelayMs = 1000;
    static constexpr int kRetryDelayMs = 5000;

private:
    std::string currentState();
    void writeIfChanged();

    RecoverySession &session_;
    MyView &view_;
    const CTolvaneDoc &document_;
    const int window_;
    QTimer timer_;
    std::string writtenState_;
    std::int64_t lastChangeMs_ = 0;
    bool failing_ = false;
    bool stopped_ = false;
};

}  // namespace ombrelis
