#pragma once

#include "view/plot_scene.h"

class QPainter;

namespace ombrelis {

// Draws a plot scene as vector shapes for SVG and PDF files, one scene pixel
// to one unit of the painter: each Bézier curve is one path of cubic
// segments through the scene's own control points, each polyline one
// polyline, each bar, mark and rectangular outline one rectangle, each label
// text. The shapes cover the pixels the pixel painter fills, to within a
// pixel, in the same colours and order, and stay smooth at any zoom.
void paintSceneShapes(QPainter &painter, const PlotScene &scene);

}  // namespace ombrelis
