#include "curves/curve_store.h"

#include "curves/crv_format.h"

namespace ombrelis {

void CurveStore::setSamplingCount(int count)
{
    for (CurveSlot &slot : slots) {
        if (slot.interpolationFlag == 0)
            slot.samplingCount = count;
    }
}

void CurveStore::resampleDrawnCurves()
{
    for (int i = 0; i < kCurveCount; ++i)
        resampleCurve(i);
}

void CurveStore::resampleCurve(int slot)
{
    if (slots[slot].sampleCount >= 2)
        samplingMemos[slot].sample(slots[slot]);
}

Status CurveStore::readCurveBytes(std::string_view baseName, int slot, std::string_view fileBytes)
{
    const std::string fileName = std::string(baseName) + ".crv";
    if (Status read = parseCurveFile(fileBytes, fileName, slots[slot]); !read.ok())
        return read;
    slots[slot].name = baseName;
    currentCurve = slot;
    return Status::done();
}

}  // namespace ombrelis
