#include "curves/curve_clipboard.h"

#include "curves/number_text.h"

namespace ombrelis {

namespace {

// A whole-curve transfer is a slot copy that also takes the colour and flags.
void transfer(const CurveSlot &from, CurveSlot &to)
{
    copySlot(from, to);
    to.colour = from.colour;
    to.active = from.active;
    to.interpolationFlag = from.interpolationFlag;
}

}  // namespace

void copyToClipboard(const CurveSlot &curve, CurveClipboard &clipboard)
{
    transfer(curve, clipboard);
}

void pasteFromClipboard(const CurveClipboard &clipboard, CurveSlot &curve)
{
    transfer(clipboard, curve);
}

std::string sampledPointsText(const CurveSlot &curve)
{
    std::string text;
    appendSampledPointRows(text, curve, '\t');
    return text;
}

void appendSampledPointRows(std::string &out, const CurveSlot &curve, char separator,
                            std::string_view linePrefix)
{
    const int count = usedEntries(curve.samplingCount, kMaxSampledPoints);
    for (int j = 0; j < count; ++j) {
        out += linePrefix;
        appendShortest(out, curve.sampledPoints[j].x);
        out += separator;
        appendShortest(out, curve.sampledPoints[j].y);
        out += '\n';
    }
}

}  // namespace ombrelis
