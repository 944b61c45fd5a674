#include "curves/curve_history.h"

#include <algorithm>
#include <string>
#include <utility>

namespace ombrelis {

namespace {

// What keeping a slot costs: the slot itself and the texts it holds.
std::size_t bytesOf(const CurveSlot &curve)
{
    std::size_t bytes = sizeof curve;
    for (const std::string *text :
         {&curve.name, &curve.xLegend, &curve.yLegend, &curve.scriptText, &curve.folder})
        bytes += text->capacity();
    return bytes;
}

// Whether a step left the slot as it found it, but for `active`, which only
// tells "Sauvegarder tout" which curves to write.
bool sameButActive(const CurveSlot &before, const CurveSlot &after)
{
    if (before.active == after.active)
        return sameContents(before, after);
    auto probe = std::make_unique<CurveSlot>(after);
    probe->active = before.active;
    return sameContents(*probe, before);
}

}  // namespace

CurveHistory::CurveHistory(CurveStore &store) : store_(store)
{
    store_.addObserver(this);
}

CurveHistory::~CurveHistory()
{
    store_.removeObserver(this);
}

bool CurveHistory::undo()
{
    return replay(undo_, redo_);
}

bool CurveHistory::redo()
{
    return replay(redo_, undo_);
}

void CurveHistory::clear()
{
    forget(undo_);
    forget(redo_);
    forgot_ = false;
}

void CurveHistory::followCaption(std::function<std::string()> read,
                                 std::function<void(const std::string &)> show)
{
    readCaption_ = std::move(read);
    showCaption_ = std::move(show);
}

void CurveHistory::slotWillChange(const CurveStore &store, int slot)
{
    if (pending_.slots.empty()) {
        pending_.currentCurve = store.currentCurve;
        pending_.caption = readCaption_ ? readCaption_() : std::string();
    }
    auto image = std::make_unique<CurveSlot>(store.slots()[slot]);
    pending_.bytes += bytesOf(*image);
    pending_.slots.push_back({slot, std::move(image)});
}

void CurveHistory::stepEnded(const CurveStore &store)
{
    Step step = std::exchange(pending_, Step{});
    if (replayingInto_) {
        push(*replayingInto_, std::move(step));
        return;
    }
    std::erase_if(step.slots, [&store](const SlotImage &image) {
        return sameButActive(*image.curve, store.slots()[image.slot]);
    });
    if (step.slots.empty())
        return;
    step.bytes = 0;
    for (const SlotImage &image : step.slots)
        step.bytes += bytesOf(*image.curve);
    keep(std::move(step));
}

// The step's slots go back into the store as one step, which the store
// reports back: its images, the slots as they stood, land on `to`.
bool CurveHistory::replay(std::deque<Step> &from, std::deque<Step> &to)
{
    if (from.empty() || store_.stepUnderWay())
        return false;
    const Step step = std::move(from.back());
    bytes_ -= step.bytes;
    from.pop_back();
    replayingInto_ = &to;
    {
        const CurveStore::Step bracket(store_);
        for (const SlotImage &image : step.slots)
            store_.replaceSlot(image.slot, *image.curve);
        // In edit mode the curve being edited stays current: "Cancel" puts
        // the backup back into the current curve, and it holds that one.
        if (!store_.editMode)
            store_.currentCurve = step.currentCurve;
    }
    replayingInto_ = nullptr;
    if (showCaption_)
        showCaption_(step.caption);
    return true;
}

// A new step: what could be redone is gone, and the oldest steps go beyond
// the limits. The newest is always kept.
void CurveHistory::keep(Step step)
{
    forget(redo_);
    push(undo_, std::move(step));
    while (undo_.size() > 1 && (undo_.size() > kMaxSteps || bytes_ > kMaxBytes))
        forgetOldest();
}

void CurveHistory::push(std::deque<Step> &stack, Step step)
{
    bytes_ += step.bytes;
    stack.push_back(std::move(step));
}

void CurveHistory::forgetOldest()
{
    bytes_ -= undo_.front().bytes;
    undo_.pop_front();
    forgot_ = true;
}

void CurveHistory::forget(std::deque<Step> &stack)
{
    for (const Step &step : stack)
        bytes_ -= step.bytes;
    stack.clear();
}

}  // namespace ombrelis
