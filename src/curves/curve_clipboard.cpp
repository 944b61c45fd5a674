#include "curves/curve_clipboard.h"

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

}  // namespace ombrelis
