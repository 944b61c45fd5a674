#include "curves/curve_store.h"

#include "curves/crv_format.h"

#include <memory>

namespace ombrelis {

void CurveStore::beginStep()
{
    ++openSteps_;
}

void CurveStore::endStep()
{
    if (--openSteps_ > 0 || changedInStep_.none())
        return;
    changedInStep_.reset();
    if (observer_)
        observer_->stepEnded(*this);
}

CurveSlot &CurveStore::writable(int slot)
{
    if (slot != kBackupSlot && !changedInStep_.test(static_cast<std::size_t>(slot))) {
        changedInStep_.set(static_cast<std::size_t>(slot));
        if (observer_)
            observer_->slotWillChange(*this, slot);
    }
    return slots_[slot];
}

Status CurveStore::loadCurve(int slot, std::string_view fileBytes, const CurveFileNames &names,
                             std::string_view folder, std::string *fault)
{
    // Parsed apart, so that a refused file is no change at all.
    auto read = std::make_unique<CurveSlot>(slots_[slot]);
    if (Status parsed = parseCurveFile(fileBytes, names.file, *read, fault); !parsed.ok())
        return parsed;
    read->name = names.curve;
    read->folder = folder;
    replaceSlot(slot, *read);
    currentCurve = slot;
    return Status::done();
}

void CurveStore::replaceSlot(int slot, const CurveSlot &curve)
{
    const Step step(*this);
    writable(slot) = curve;
}

void CurveStore::resetSlot(int slot)
{
    const Step step(*this);
    ombrelis::resetSlot(writable(slot));
}

void CurveStore::copySlot(int src, int dst)
{
    const Step step(*this);
    ombrelis::copySlot(slots_[src], writable(dst));
}

void CurveStore::setActive(int slot, bool active)
{
    const Step step(*this);
    writable(slot).active = active;
}

void CurveStore::nameCurve(int slot, std::string_view name, std::string_view folder)
{
    const Step step(*this);
    CurveSlot &curve = writable(slot);
    curve.name = name;
    curve.folder = folder;
}

void CurveStore::applyScriptResult(int target, const CurveSlot &result)
{
    replaceSlot(target, result);
    currentCurve = target;
}

void CurveStore::pasteCurve(const CurveClipboard &clipboard)
{
    const Step step(*this);
    pasteFromClipboard(clipboard, writable(currentCurve));
}

void CurveStore::setSamplingCount(int count)
{
    const Step step(*this);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (slots_[slot].interpolationFlag == 0)
            writable(slot).samplingCount = count;
    }
}

void CurveStore::resampleDrawnCurves()
{
    for (int i = 0; i < kCurveCount; ++i)
        resampleCurve(i);
}

void CurveStore::resampleCurve(int slot)
{
    if (slots_[slot].sampleCount >= 2)
        samplingMemos_[slot].sample(slots_[slot]);
}

}  // namespace ombrelis
