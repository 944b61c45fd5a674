#pragma once

#include "view/plot_scene.h"

#include <functional>
#include <string>
#include <vector>

namespace ombrelis {

// A plot for a report: the editor's plot scene, unchanged, in what margins
// leave of the client area, and in the margins tick marks with their numbers
// on both axes, the current curve's legends as axis titles and a key naming
// each drawn curve in its colour. Everything is laid out in device pixels
// from the sizes of the texts, which only the painter can measure.

// The width of a text in the annotation font, and that font's line height,
// in device pixels.
struct TextMeasure {
    std::function<int(const std::string &)> width;
    int height = 0;
};

// The font of the numbers, titles and key: the face of the cursor labels,
// 12 logical pixels.
FontDescription annotationFont(double ratio = 1);

// The ticks over [low, high] (either order): the multiples that the range
// holds of a step of 1, 2 or 5 times a power of ten, the smallest step that
// gives at most maxCount of them (5 to 10 for the default). Each value is the
// double nearest to its decimal, so that its shortest text is the round
// number. Empty when the range is empty or not finite, or too narrow beside
// its values for round numbers to tell its ticks apart.
std::vector<double> axisTicks(double low, double high, int maxCount = 10);

// The numbers of one axis's ticks: their shortest round-trip forms, all
// written without exponent when each then has 12 characters or fewer (200000
// rather than 2e+05 beside 1000000.5).
std::vector<std::string> tickLabels(const std::vector<double> &ticks);

// What the annotation takes on each side of the client area.
struct AnnotationMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const AnnotationMargins &, const AnnotationMargins &) = default;
};

struct AnnotatedPlot {
    AnnotationMargins margins;  // device pixels
    PlotScene scene;
};

// The annotated plot of a client area of `client` logical pixels in device
// pixels at `ratio`: the plot scene of the area the margins leave, moved into
// place and kept within that area (the margins are covered again in white
// after it), then the tick marks and axis lines, the texts and the key.
// Tick numbers are written in their shortest form and never overlap: an axis
// too short for ten of them gets fewer. The margins leave out the plot's own
// (a thirtieth and a twentieth of its size), which the marks and numbers
// reach into. When the plot has no range (mappingHasRange) it is drawn as the
// editor draws it, blank, without annotation.
AnnotatedPlot buildAnnotatedPlot(const CurveStore &store, ClientSize client, double ratio,
                                 const TextMeasure &measure);

}  // namespace ombrelis
