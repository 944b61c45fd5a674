// The .crv reader on any bytes; a file it accepts must format to a text that
// reads back to the very same text, and that text is told faulty only for a
// number that is not finite or a negative count.
#include "curves/crv_format.h"
#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <string_view>

using namespace ombrelis;

namespace {

bool finite(CurvePoint p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// What the writer puts into a file that reads back without a word.
bool writesWellFormed(const CurveSlot &slot)
{
    bool ok = std::isfinite(slot.xmin) && std::isfinite(slot.xmax) && std::isfinite(slot.ymin) &&
              std::isfinite(slot.ymax) && slot.sampleCount >= 0 && slot.samplingCount >= 0;
    for (int i = 0; ok && i < slot.sampleCount; ++i)
        ok =
            finite(slot.samples[i]) && finite(slot.startTangents[i]) && finite(slot.endTangents[i]);
    for (int j = 0; ok && j < slot.samplingCount; ++j)
        ok = finite(slot.sampledPoints[j]);
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Slots are large; the two are reused. Entries beyond the counts never
    // reach the formatted text, so what earlier inputs left there is harmless.
    static const auto first = std::make_unique<CurveSlot>();
    static const auto second = std::make_unique<CurveSlot>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::string fault;
    if (!parseCurveFile(bytes, "fuzz.crv", *first, &fault).ok())
        return 0;
    require(fault.empty() || fault.find("« fuzz.crv »") != std::string::npos,
            "a fault names the file");
    const std::string text = formatCurveFile(*first);
    require(parseCurveFile(text, "fuzz.crv", *second, &fault).ok(), "a formatted file is refused");
    require(formatCurveFile(*second) == text, "the round trip changes the text");
    require(fault.empty() == writesWellFormed(*first), "a formatted file told faulty wrongly");
    return 0;
}
