// The .crv reader on any bytes; a file it accepts must format to a text that
// reads back to the very same text.
#include "curves/crv_format.h"
#include "fuzz_support.h"

#include <cstdint>
#include <memory>
#include <string_view>

using namespace ombrelis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Slots are large; the two are reused. Entries beyond the counts never
    // reach the formatted text, so what earlier inputs left there is harmless.
    static const auto first = std::make_unique<CurveSlot>();
    static const auto second = std::make_unique<CurveSlot>();
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    if (!parseCurveFile(bytes, "fuzz.crv", *first).ok())
        return 0;
    const std::string text = formatCurveFile(*first);
    require(parseCurveFile(text, "fuzz.crv", *second).ok(), "a formatted file is refused");
    require(formatCurveFile(*second) == text, "the round trip changes the text");
    return 0;
}
