#pragma once

#include "curves/curve_clipboard.h"
#include "curves/curve_slot.h"
#include "curves/status.h"
#include "geometry/sampling_memo.h"

#include <array>
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelis {

enum class Bound;
class CurveStore;

// Follows the changes to a window's curves, step by step: a history keeps
// each slot as it was before a step changed it, and autosave notices that a
// step is over. The backup slot belongs to the edit cycle and is never
// reported; re-sampling is not a change.
class CurveStoreObserver {
public:
    // `slot` is about to change for the first time in the step under way;
    // the store still holds it as it was.
    virtual void slotWillChange(const CurveStore &store, int slot) = 0;
    // A step that changed at least one slot is over.
    virtual void stepEnded(const CurveStore &store) = 0;

protected:
    ~CurveStoreObserver() = default;
};

// How a curve read from a file is named: the curve's own name, and the file
// in a refusal.
struct CurveFileNames {
    std::string curve;
    std::string file;

    // The editor's way: the curve is named after the file less ".crv".
    static CurveFileNames ofBaseName(const std::string &baseName)
    {
        return {baseName, baseName + ".crv"};
    }
};

// The curves of one window and the window's own settings. A view owns one;
// tests and the batch tool build it without any window system.
//
// The slots are read freely but written only through the operations below,
// so that every change to a curve passes one place. Each operation is one
// step; a user action made of several (a whole drag, a command) brackets
// them with beginStep and endStep, or a Step, to make them one.
class CurveStore {
public:
    int currentCurve = 0;  // 0..3
    bool editMode = false;
    Colour currentColour = 0;  // black
    bool smoothing = true;     // "Smoothing"; false is "Sampled"
    // Check marks of the sampling entries: 16, 32, 64, 128, 256, custom.
    std::array<bool, 6> samplingMarks{false, false, true, false, false, false};
    bool cursorOn = false;
    int cursorIndex = 0;
    bool showAxes = false;
    bool showFrame = false;
    bool interpolationOption = false;
    bool verticalTangents = false;
    int tangentLength = 15;  // per cent of the axis range, 5..25

    const std::array<CurveSlot, kSlotCount> &slots() const { return slots_; }
    const CurveSlot &current() const { return slots_[currentCurve]; }

    // Steps. Operations between the outermost beginStep and its endStep make
    // one step; an operation outside any is a step of its own.
    void beginStep();
    void endStep();
    class Step {
    public:
        explicit Step(CurveStore &store) : store_(store) { store_.beginStep(); }
        ~Step() { store_.endStep(); }
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        CurveStore &store_;
    };
    // Whether a step is open: a drag between press and release.
    bool stepUnderWay() const { return openSteps_ > 0; }
    // Every observer hears of every step, in the order they were added.
    void addObserver(CurveStoreObserver *observer) { observers_.push_back(observer); }
    void removeObserver(CurveStoreObserver *observer) { std::erase(observers_, observer); }

    // Whole curves. loadCurve reads the bytes of a .crv file into `slot`:
    // on success the slot takes the file's fields, the names' curve name and
    // `folder`, and becomes the current curve, and *fault (if given) tells
    // what the lenient reading passed over (parseCurveFile). A refused file
    // leaves everything unchanged and says why, naming the names' file.
    Status loadCurve(int slot, std::string_view fileBytes, const CurveFileNames &names,
                     std::string_view folder, std::string *fault = nullptr);
    void replaceSlot(int slot, const CurveSlot &curve);
    void resetSlot(int slot);
    void copySlot(int src, int dst);
    void setActive(int slot, bool active);
    // The file a curve was saved as: its title and folder.
    void nameCurve(int slot, std::string_view name, std::string_view folder);
    // A script's result becomes curve `target` (0..3) and the current curve.
    void applyScriptResult(int target, const CurveSlot &result);
    // The clipboard's curve, colour and flags into the current curve.
    void pasteCurve(const CurveClipboard &clipboard);
    // Gives every slot whose points were not computed by a script `count`
    // sampled points, as the sampling commands do.
    void setSamplingCount(int count);

    // The current curve's samples and handles, in world units. moveSample
    // takes both handles of sample k along; an index beyond the samples is
    // ignored. insertSample puts a new sample after every sample up to the
    // first one lying right of x, with handles a third of `tangentLength` per
    // cent of the axis range either side (horizontal, or vertical with
    // `verticalTangents`); refused (false, nothing changed) when the curve
    // holds 16 samples already or a coordinate is not finite. No operation
    // checks the bounds or sorts the samples.
    void moveSample(double x, double y, int k);
    bool insertSample(double x, double y);
    void deleteSample(int k);
    void moveStartTangent(int k, CurvePoint tip);
    void moveEndTangent(int k, CurvePoint tip);

    // The current curve's bounds, legends and colour. A bound takes the
    // samples along (remapBound); a refused one changes nothing. A bound or
    // legend with the bytes it already has is no step: a box that loses the
    // focus applies its value as it stands.
    Status setBound(Bound bound, double value);
    void setXLegend(std::string_view legend);
    void setYLegend(std::string_view legend);
    void setColour(Colour colour);

    // Re-samples the curves a paint draws: curves 1 to 4 with two or more
    // control samples. The paint calls it before it draws, and everything
    // else reads the points it left. Re-sampling is not a step.
    void resampleDrawnCurves();
    // Re-samples curve `slot` (0..3) when it has two or more control samples,
    // as the next paint would.
    void resampleCurve(int slot);

private:
    // The slot an operation is about to write; the observer hears of it first.
    CurveSlot &writable(int slot);

    std::array<CurveSlot, kSlotCount> slots_{};
    // Skip the sampler while nothing it reads or wrote has changed.
    std::array<SamplingMemo, kCurveCount> samplingMemos_;
    std::vector<CurveStoreObserver *> observers_;
    int openSteps_ = 0;
    std::bitset<kSlotCount> changedInStep_;
};

}  // namespace ombrelis
