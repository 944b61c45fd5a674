#include "cli/cli_output.h"

#include "curves/number_text.h"

namespace ombrelis {

namespace {

void realLine(std::string &out, const char *key, double value)
{
    out += key;
    out += ": ";
    appendFixed(out, value, 6);
    out += '\n';
}

void integerLine(std::string &out, const char *key, std::int32_t value)
{
    out += key;
    out += ": ";
    appendInt(out, value);
    out += '\n';
}

}  // namespace

std::string curveInfoText(const CurveSlot &slot)
{
    std::string out = "xLegend: " + slot.xLegend + "\nyLegend: " + slot.yLegend + '\n';
    realLine(out, "xmin", slot.xmin);
    realLine(out, "xmax", slot.xmax);
    realLine(out, "ymin", slot.ymin);
    realLine(out, "ymax", slot.ymax);
    integerLine(out, "sampleCount", slot.sampleCount);
    integerLine(out, "samplingCount", slot.samplingCount);
    integerLine(out, "interpolationFlag", slot.interpolationFlag);
    return out;
}

std::string pointLines(const CurveSlot &slot)
{
    std::string out;
    const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
    for (int j = 0; j < count; ++j) {
        appendFixed(out, slot.sampledPoints[j].x, 6);
        out += ' ';
        appendFixed(out, slot.sampledPoints[j].y, 6);
        out += '\n';
    }
    return out;
}

std::string pointCsv(const CurveSlot &slot)
{
    std::string out = "x,y\n";
    const int count = usedEntries(slot.samplingCount, kMaxSampledPoints);
    for (int j = 0; j < count; ++j) {
        appendShortest(out, slot.sampledPoints[j].x);
        out += ',';
        appendShortest(out, slot.sampledPoints[j].y);
        out += '\n';
    }
    return out;
}

}  // namespace ombrelis
