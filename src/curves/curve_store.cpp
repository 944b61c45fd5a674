#include "curves/curve_store.h"

#include "curves/crv_format.h"

std::optional<std::string> CurveStore::readCurveFile(std::string_view baseName, int slot,
                                                     std::string_view fileBytes)
{
    const std::string fileName = std::string(baseName) + ".crv";
    if (auto refusal = parseCurveFile(fileBytes, fileName, slots[slot]))
        return refusal;
    slots[slot].name = baseName;
    currentCurve = slot;
    return std::nullopt;
}
