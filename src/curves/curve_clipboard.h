#pragma once

#include "curves/curve_slot.h"

#include <array>
#include <cstdint>
#include <string>

// The one curve clipboard of the application: a curve's fields without its
// script. Before the first copy it holds an empty curve with no sampled
// points, red, inactive and not computed.
struct CurveClipboard {
    std::string name;
    std::string xLegend = "X";
    std::string yLegend = "Y";
    double xmin = 0.0;
    double xmax = 1000.0;
    double ymin = 0.0;
    double ymax = 1000.0;
    std::int32_t sampleCount = 0;
    std::int32_t samplingCount = 0;
    std::array<CurvePoint, kMaxSamples> samples{};
    std::array<CurvePoint, kMaxSamples> startTangents{};
    std::array<CurvePoint, kMaxSamples> endTangents{};
    std::array<CurvePoint, kMaxSampledPoints> sampledPoints{};
    Colour colour = kDefaultCurveColour;
    bool active = false;
    std::int32_t interpolationFlag = 0;
    std::string folder;  // goes with the name, so a pasted curve saves where it came from
};

// Copies the curve, its colour and flags into the clipboard: texts, bounds,
// counts and the entries below the counts; entries beyond them keep what
// they held.
void copyToClipboard(const CurveSlot &curve, CurveClipboard &clipboard);

// The same fields back into a curve; its scriptText is kept.
void pasteFromClipboard(const CurveClipboard &clipboard, CurveSlot &curve);
