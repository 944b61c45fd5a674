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
    for (int i = 0; i < kCurveCount; ++i) {
        if (slots[i].sampleCount >= 2)
            resampleCurve(i);
    }
}

Status CurveStore::readCurveBytes(std::string_view baseName, int slot, std::string_view fileBytes,
                                  std::string *fault)
{
    const std::string fileName = std::string(baseName) + ".crv";
    if (Status read = parseCurveFile(fileBytes, fileName, slots[slot], fault); !read.ok())
        return read;
    slots[slot].name = baseName;
    currentCurve = slot;
    return Status::done();
}

}  // namespace ombrelis
