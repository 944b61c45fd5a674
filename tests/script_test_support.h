#pragma once

#include "curves/curve_store.h"
#include "test_support.h"

#include <QStringList>

#include <array>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace ombrelis {

// Stores hold eight 4096-point slots; tests keep them on the heap.
inline std::unique_ptr<CurveStore> makeStore()
{
    return std::make_unique<CurveStore>();
}

// Gives slot k the range [xmin, xmax] and exactly the sampled points listed.
inline void setSampledCurve(CurveStore &store, int k, double xmin, double xmax,
                            std::initializer_list<CurvePoint> points)
{
    editSlot(store, k, [&](CurveSlot &slot) {
        slot.xmin = xmin;
        slot.xmax = xmax;
        slot.samplingCount = static_cast<int>(points.size());
        int j = 0;
        for (const CurvePoint &p : points)
            slot.sampledPoints[j++] = p;
    });
}

inline QStringList toQStringList(const std::vector<std::string> &texts)
{
    QStringList list;
    for (const std::string &text : texts)
        list << QString::fromStdString(text);
    return list;
}

// The two point arrays hold the same bits (so that NaN equals NaN).
template <std::size_t N>
bool sameBits(const std::array<CurvePoint, N> &a, const std::array<CurvePoint, N> &b)
{
    return std::memcmp(a.data(), b.data(), sizeof(CurvePoint) * N) == 0;
}

// Every field of the two slots is equal.
inline bool sameSlot(const CurveSlot &a, const CurveSlot &b)
{
    return a.name == b.name && a.xLegend == b.xLegend && a.yLegend == b.yLegend &&
           a.xmin == b.xmin && a.xmax == b.xmax && a.ymin == b.ymin && a.ymax == b.ymax &&
           a.sampleCount == b.sampleCount && a.samplingCount == b.samplingCount &&
           sameBits(a.samples, b.samples) && sameBits(a.startTangents, b.startTangents) &&
           sameBits(a.endTangents, b.endTangents) && sameBits(a.sampledPoints, b.sampledPoints) &&
           a.colour == b.colour && a.active == b.active &&
           a.interpolationFlag == b.interpolationFlag && a.scriptText == b.scriptText;
}

inline bool sameStore(const CurveStore &a, const CurveStore &b)
{
    for (int k = 0; k < kSlotCount; ++k) {
        if (!sameSlot(a.slots()[k], b.slots()[k]))
            return false;
    }
    return a.currentCurve == b.currentCurve;
}

}  // namespace ombrelis
