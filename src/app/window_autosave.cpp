#include "app/window_autosave.h"

#include "app/recovery_session.h"
#include "app/tolvane_doc.h"
#include "curves/recovery_record.h"
#include "view/my_view.h"

#include <QDateTime>

namespace ombrelis {

WindowAutosave::WindowAutosave(RecoverySession &session, MyView &view, const CTolvaneDoc &document,
                               QObject *parent)
    : QObject(parent),
      session_(session),
      view_(view),
      document_(document),
      window_(session.newWindow()),
      writtenState_(currentState())
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &WindowAutosave::writeIfChanged);
}

WindowAutosave::~WindowAutosave()
{
    stop();
}

void WindowAutosave::stepEnded(const CurveStore &)
{
    if (stopped_)
        return;
    lastChangeMs_ = QDateTime::currentMSecsSinceEpoch();
    // Not restarted while it runs: steps in quick succession (typing in
    // the bars, one command after another) are written once a second.
    if (!timer_.isActive())
        timer_.start(kWriteDelayMs);
}

bool WindowAutosave::adopt(const QString &file)
{
    if (!session_.adopt(file, window_))
        return false;
    writtenState_ = currentState();
    return true;
}

void WindowAutosave::stop()
{
    if (stopped_)
        return;
    stopped_ = true;
    timer_.stop();
    session_.remove(window_);
}

// The curves as a save would write them: the drawn ones re-sampled first,
// as before a paint.
std::string WindowAutosave::currentState()
{
    CurveStore &store = view_.store();
    store.resampleDrawnCurves();
    return formatRecoveryState(store, document_.title().toStdString());
}

void WindowAutosave::writeIfChanged()
{
    const std::string state = currentState();
    if (state == writtenState_)
        return;
    QString reason = QStringLiteral("écriture refusée");
    if (session_.write(window_, formatRecoveryRecord(lastChangeMs_, state), &reason) ==
        FileWriteResult::Written) {
        writtenState_ = state;
        failing_ = false;
        return;
    }
    if (!failing_)
        qWarning("Ombrelis : copie de récupération non écrite (%s) ; nouvel essai dans %d s.",
                 qUtf8Printable(reason), kRetryDelayMs / 1000);
    failing_ = true;
    timer_.start(kRetryDelayMs);
}

}  // namespace ombrelis
