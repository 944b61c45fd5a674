// The operations that edit the current curve: its samples and handles, its
// bounds, legends and colour.
#include "curves/curve_store.h"

#include "bars/bound_remap.h"
#include "curves/same_bytes.h"

#include <cmath>

namespace ombrelis {

namespace {

constexpr double kThird = 1.0 / 3.0;

}  // namespace

void CurveStore::moveSample(double x, double y, int k)
{
    if (!isSample(current(), k))
        return;
    const Step step(*this);
    CurveSlot &curve = writable(currentCurve);
    const CurvePoint old = curve.samples[k];
    curve.startTangents[k] = {curve.startTangents[k].x - old.x + x,
                              curve.startTangents[k].y - old.y + y};
    curve.endTangents[k] = {curve.endTangents[k].x - old.x + x, curve.endTangents[k].y - old.y + y};
    curve.samples[k] = {x, y};
}

bool CurveStore::insertSample(double x, double y)
{
    const int count = sampleTotal(current());
    if (count >= kMaxSamples || !std::isfinite(x) || !std::isfinite(y))
        return false;
    const Step step(*this);
    CurveSlot &curve = writable(currentCurve);
    int i = 0;
    while (i < count && !(curve.samples[i].x > x))
        ++i;
    for (int k = count; k > i; --k) {
        curve.samples[k] = curve.samples[k - 1];
        curve.startTangents[k] = curve.startTangents[k - 1];
        curve.endTangents[k] = curve.endTangents[k - 1];
    }
    curve.samples[i] = {x, y};
    const double dx = (curve.xmax - curve.xmin) * tangentLength * 0.01;
    const double dy = (curve.ymax - curve.ymin) * tangentLength * 0.01;
    if (verticalTangents) {
        curve.startTangents[i] = {x, y - dy * kThird};
        curve.endTangents[i] = {x, y - dy * -kThird};
    } else {
        curve.startTangents[i] = {x - dx * kThird, y};
        curve.endTangents[i] = {x - dx * -kThird, y};
    }
    curve.sampleCount = count + 1;
    return true;
}

void CurveStore::deleteSample(int k)
{
    if (!isSample(current(), k))
        return;
    const Step step(*this);
    CurveSlot &curve = writable(currentCurve);
    const int count = sampleTotal(curve);
    for (int j = k; j + 1 < count; ++j) {
        curve.samples[j] = curve.samples[j + 1];
        curve.startTangents[j] = curve.startTangents[j + 1];
        curve.endTangents[j] = curve.endTangents[j + 1];
    }
    curve.sampleCount = count - 1;
}

void CurveStore::moveStartTangent(int k, CurvePoint tip)
{
    if (!isSample(current(), k))
        return;
    const Step step(*this);
    writable(currentCurve).startTangents[k] = tip;
}

void CurveStore::moveEndTangent(int k, CurvePoint tip)
{
    if (!isSample(current(), k))
        return;
    const Step step(*this);
    writable(currentCurve).endTangents[k] = tip;
}

// Checked and compared before the step, so that an unchanged or refused
// bound costs no copy of the slot.
Status CurveStore::setBound(Bound bound, double value)
{
    if (Status checked = checkBound(current(), bound, value); !checked.ok())
        return checked;
    if (sameBytes(boundValue(current(), bound), value))
        return Status::done();
    const Step step(*this);
    return remapBound(writable(currentCurve), bound, value);
}

void CurveStore::setXLegend(std::string_view legend)
{
    if (current().xLegend == legend)
        return;
    const Step step(*this);
    writable(currentCurve).xLegend = legend;
}

void CurveStore::setYLegend(std::string_view legend)
{
    if (current().yLegend == legend)
        return;
    const Step step(*this);
    writable(currentCurve).yLegend = legend;
}

void CurveStore::setColour(Colour colour)
{
    const Step step(*this);
    writable(currentCurve).colour = colour;
}

}  // namespace ombrelis
