#pragma once

#include "curves/curve_store.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ombrelis {

// The Undo and Redo history of one window's curves. It follows the window's
// store step by step and keeps, for each step, the slots it changed as they
// were before it, and the current curve then. Undoing a step puts them back
// through the store, as one step of its own that keeps the slots as the step
// had left them, for Redo. A new step forgets what could be redone.
//
// A window may also name its caption, the title that some steps change
// after their curves (a Cut, a Paste, an open): each step keeps the caption
// as it was before the step began, and undoing or redoing it shows that
// again.
//
// Steps that changed nothing, or only which curves are active, are not kept:
// leaving edit mode, for one. Neither the edit backup nor any window setting
// is part of a step, and re-sampling is no change.
class CurveHistory final : public CurveStoreObserver {
public:
    // The oldest steps are forgotten beyond either.
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    explicit CurveHistory(CurveStore &store);
    ~CurveHistory();
    CurveHistory(const CurveHistory &) = delete;
    CurveHistory &operator=(const CurveHistory &) = delete;

    // False, with nothing changed, when there is nothing to undo or redo, or
    // while a step is under way (a drag between press and release).
    bool undo();
    bool redo();
    // Forgets every step.
    void clear();
    // How the window's caption is read and shown; none by default.
    void followCaption(std::function<std::string()> read,
                       std::function<void(const std::string &)> show);

    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }
    // The memory the kept slots take.
    std::size_t bytes() const { return bytes_; }
    // Whether steps were forgotten to the limits since the last clear, so
    // that undoing every step no longer goes back to the start.
    bool forgotSteps() const { return forgot_; }

private:
    struct SlotImage {
        int slot = 0;
        std::unique_ptr<CurveSlot> curve;
    };
    struct Step {
        int currentCurve = 0;
        std::string caption;
        std::vector<SlotImage> slots;
        std::size_t bytes = 0;
    };

    void slotWillChange(const CurveStore &store, int slot) override;
    void stepEnded(const CurveStore &store) override;

    bool replay(std::deque<Step> &from, std::deque<Step> &to);
    void keep(Step step);
    void push(std::deque<Step> &stack, Step step);
    void forgetOldest();
    void forget(std::deque<Step> &stack);

    CurveStore &store_;
    std::deque<Step> undo_;
    std::deque<Step> redo_;
    Step pending_;  // the step under way; no slots before its first change
    std::deque<Step> *replayingInto_ = nullptr;  // while undoing or redoing
    std::function<std::string()> readCaption_;
    std::function<void(const std::string &)> showCaption_;
    std::size_t bytes_ = 0;
    bool forgot_ = false;
};

}  // namespace ombrelis
